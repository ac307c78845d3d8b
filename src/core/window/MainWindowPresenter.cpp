#include "MainWindowPresenter.h"

#include "MainFramePresenter.h"
#include "QuickButtonsPresenter.h"
#include "core/launcher/AddItemPresenter.h"
#include "core/launcher/LauncherPresenter.h"
#include "core/scheduler/SchedulePresenter.h"
#include "core/services/Services.h"
#include "core/status/StatusPresenter.h"

MainWindowPresenter::MainWindowPresenter(MainWindowView& view, Services& services, LauncherPresenter& list,
                                         MainFramePresenter& frame, StatusPresenter& status)
    : view_(view)
    , services_(services)
    , list_(list)
    , frame_(frame)
    , status_(status)
{
    list_.onCountChanged = [this](std::size_t count) { frame_.showItemCount(count); };
    list_.onCloseRequested = [this] { frame_.hideChosen(); };
    list_.onAddRequested = [this] { frame_.showPanel(Panel::AddItem); };
    list_.onEntryChosen = [this](const std::string& entry) {
        if (timer_)
            timer_->itemChosen(entry);
    };
}

void MainWindowPresenter::load()
{
    list_.load();
    status_.load(services_.clock.now());
    frame_.load();
    view_.setClockRunning(true);
    view_.centreOnScreen();
}

void MainWindowPresenter::clockTick()
{
    const LocalTime now = services_.clock.now();
    frame_.clockTick(now);
    status_.tick(now);
    if (timer_)
        timer_->showTime(now);
}

void MainWindowPresenter::addPanelMade(AddItemPresenter& panel)
{
    panel.onCancelled = [this] { frame_.putAwayAddPanel(); };
}

// A power-off hides the window but keeps it loaded, so the clock and the
// schedule run on and the tray shows it again as it was.
void MainWindowPresenter::quickPanelMade(QuickButtonsPresenter& panel)
{
    panel.onHideWindow = [this] { view_.hideKeepingLoaded(); };
    panel.onShowWindow = [this] { view_.showAgain(); };
}

void MainWindowPresenter::timerPanelMade(SchedulePresenter& panel)
{
    timer_ = &panel;
    panel.onDue = [this] {
        if (onScheduleDue)
            onScheduleDue();
    };
}

void MainWindowPresenter::hideRequested()
{
    if (onHideRequested)
        onHideRequested();
}

void MainWindowPresenter::dialUpChosen()
{
    if (onDialUpRequested)
        onDialUpRequested();
}

void MainWindowPresenter::lockChosen()
{
    if (onLockRequested)
        onLockRequested();
}

ScheduleAction MainWindowPresenter::scheduleAction() const
{
    return timer_ ? timer_->action() : ScheduleAction::Alarm;
}

std::size_t MainWindowPresenter::listCount() const
{
    return list_.count();
}
