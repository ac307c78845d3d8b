#include "TrayHostPresenter.h"

#include "TrayMenu.h"
#include "core/profile/Profile.h"
#include "core/services/Services.h"
#include "core/window/TitleText.h"

TrayHostPresenter::TrayHostPresenter(TrayHostView& view, Services& services)
    : view_(view)
    , services_(services)
{
}

void TrayHostPresenter::start(bool soleCopy)
{
    if (soleCopy)
        services_.fileStore.removeLeftovers(profilePath(services_.appFolder.path()));
    view_.showMainWindow();
    // The tip counts the list as it is now and is never updated afterwards.
    const Result installed = view_.installTrayIcon(trayTipText(view_.listCount(), services_.codePage));
    if (!installed.ok())
        view_.report("tray icon: " + installed.reason);
}

void TrayHostPresenter::trayEvent(TrayEvent event)
{
    switch (event) {
    case TrayEvent::Show:
        view_.showMainWindow();
        break;
    case TrayEvent::MenuRequest: {
        const std::optional<std::string> chosen = view_.popupMenu(tray_menu::kMenu);
        if (chosen == tray_menu::kShow)
            showChosen();
        else if (chosen == tray_menu::kExit)
            exitChosen();
        break;
    }
    case TrayEvent::Other:
        break;
    }
}

void TrayHostPresenter::showChosen()
{
    view_.showMainWindow();
}

void TrayHostPresenter::exitChosen()
{
    services_.process.exitNow();
}
