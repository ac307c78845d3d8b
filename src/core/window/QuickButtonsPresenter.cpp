#include "QuickButtonsPresenter.h"

#include "core/search/SearchUrl.h"
#include "core/services/Services.h"
#include "core/window/TitleText.h"

namespace {

const char* const kNoticeTitle = "提示";

}  // namespace

QuickButtonsPresenter::QuickButtonsPresenter(Services& services) : services_(services) {}

QuickButtonsPresenter::~QuickButtonsPresenter()
{
    *alive_ = false;
}

void QuickButtonsPresenter::report(const Result& result)
{
    if (!result.ok())
        services_.messages.inform(kNoticeTitle, result.reason);
}

bool QuickButtonsPresenter::confirmed(const std::string& question)
{
    // OK and Cancel with Cancel the default: Enter at once changes nothing.
    return services_.messages.confirm(applicationTitle(), question);
}

void QuickButtonsPresenter::computerChosen()
{
    report(services_.desktopApps.openPlace(DesktopApps::Place::Computer));
}

void QuickButtonsPresenter::controlPanelChosen()
{
    report(services_.desktopApps.start(DesktopApps::Tool::Settings));
}

void QuickButtonsPresenter::internetChosen()
{
    report(services_.shell.openUrl(std::string(kHomePage)));
}

void QuickButtonsPresenter::recycleBinChosen()
{
    report(services_.desktopApps.openPlace(DesktopApps::Place::Trash));
}

void QuickButtonsPresenter::taskManagerChosen()
{
    report(services_.desktopApps.start(DesktopApps::Tool::SystemMonitor));
}

// The window goes out of sight before the system is asked, and stays loaded.
// Should the system refuse, the window comes back and says why, rather than
// leaving the user with nothing on the screen.
void QuickButtonsPresenter::powerOffChosen()
{
    if (!confirmed("确定关机吗？"))
        return;
    if (onHideWindow)
        onHideWindow();
    services_.power.quickPowerOff([this, alive = alive_](Result result) {
        if (!*alive || result.ok())
            return;
        if (onShowWindow)
            onShowWindow();
        services_.messages.inform(kNoticeTitle, "关机失败：" + result.reason);
    });
}

// The window stays open while the system closes the programs.
void QuickButtonsPresenter::restartChosen()
{
    if (!confirmed("确定重启吗？"))
        return;
    services_.power.quickRestart([this, alive = alive_](Result result) {
        if (*alive && !result.ok())
            services_.messages.inform(kNoticeTitle, "重启失败：" + result.reason);
    });
}
