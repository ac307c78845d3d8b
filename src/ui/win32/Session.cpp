#include "Session.h"

#include "platform/Platform.h"

#include <cstdio>

namespace {

constexpr UINT kFreeClosed = WM_APP + 10;

}  // namespace

Session::Session(Platform& platform)
    : platform_(platform)
    , session_(*this)
    , tray_(*this, platform.services)
{
    create(0, WS_POPUP, L"", 0, 0, 0, 0, HWND_MESSAGE);
}

Session::~Session() = default;

Result Session::installTrayIcon(const std::string& tip)
{
    return platform_.tray.install(TrayPicture::Application, tip, [this](TrayEvent event) { tray_.trayEvent(event); });
}

std::optional<std::string> Session::popupMenu(const MenuSpec& menu)
{
    return platform_.menus.popup(menu, platform_.menus.pointerPosition());
}

void Session::report(const std::string& problem)
{
    std::fprintf(stderr, "ombrel: %s\n", problem.c_str());
}

MainWindowPresenter& Session::makeMainWindow(MainWindowState& state)
{
    mainWindow_ = std::make_unique<MainWindow>(platform_, state);
    return mainWindow_->presenter();
}

void Session::destroyMainWindow() { closeLater(mainWindow_); }

void Session::makeDueNotice(std::function<ScheduleAction()> chosenAction)
{
    dueNotice_ = std::make_unique<DueNoticeWindow>(platform_, std::move(chosenAction));
    dueNotice_->onUnload = [this] { session_.dueNoticeClosed(); };
}

void Session::destroyDueNotice() { closeLater(dueNotice_); }

void Session::makeDialUp()
{
    dialUp_ = std::make_unique<DialUpWindow>(platform_);
    dialUp_->onClosed = [this] { session_.dialUpClosed(); };
}

void Session::bringDialUpForward() { dialUp_->bringForward(); }

void Session::destroyDialUp() { closeLater(dialUp_); }

LockSetupPresenter& Session::makeLockSetup()
{
    lockSetup_ = std::make_unique<LockSetupWindow>(platform_);
    lockSetup_->onClosed = [this, setup = lockSetup_.get()] {
        if (lockSetup_.get() == setup)
            session_.lockSetupClosed();
    };
    return lockSetup_->presenter();
}

void Session::destroyLockSetup() { closeLater(lockSetup_); }

// The window is on the screen before the pointer and the keyboard are held
// for it.
LockPresenter& Session::makeLock()
{
    lock_ = std::make_unique<LockWindow>(platform_);
    lock_->onClosed = [this, window = lock_.get()] {
        if (lock_.get() == window)
            session_.lockClosed();
    };
    return lock_->presenter();
}

void Session::destroyLock() { closeLater(lock_); }

void Session::freeLater(std::unique_ptr<Window> window)
{
    closed_.push_back(std::move(window));
    PostMessageW(hwnd(), kFreeClosed, 0, 0);
}

LRESULT Session::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kFreeClosed) {
        closed_.clear();
        return 0;
    }
    return Window::handle(message, wParam, lParam);
}
