#include "StatusPresenter.h"

#include "StatusText.h"
#include "core/services/Services.h"

StatusPresenter::StatusPresenter(StatusView& view, Services& services)
    : view_(view)
    , services_(services)
{
}

void StatusPresenter::load(const LocalTime& now)
{
    dateLine_ = " " + dateLine(now);
    upTime_.clear();
    view_.setDateLine(dateLine_);
    view_.setAddress("IP地址:" + services_.system.localAddress());
    view_.setUpTime(upTime_);
}

void StatusPresenter::show(std::string& shown, const std::string& text, void (StatusView::*set)(const std::string&))
{
    if (shown == text)
        return;
    shown = text;
    (view_.*set)(text);
}

void StatusPresenter::tick(const LocalTime& now)
{
    show(dateLine_, " " + dateLine(now), &StatusView::setDateLine);
    // A system that cannot tell its up-time leaves the last text standing.
    const std::optional<std::uint64_t> upTime = services_.system.millisecondsSinceBoot();
    if (!upTime)
        return;
    const std::chrono::milliseconds since(static_cast<std::chrono::milliseconds::rep>(*upTime));
    show(upTime_, bootModeMessage(services_.system.bootMode()) + upTimeText(since), &StatusView::setUpTime);
}
