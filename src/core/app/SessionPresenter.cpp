#include "SessionPresenter.h"

#include "core/lock/LockPresenters.h"

SessionPresenter::SessionPresenter(SessionView& view) : view_(view) {}

void SessionPresenter::showMainWindow()
{
    if (mainWindow_) {
        mainWindow_->bringBack();
        return;
    }
    MainWindowPresenter& window = view_.makeMainWindow(state_);
    mainWindow_ = &window;
    window.onHideRequested = [this] { hideMainWindow(); };
    window.onScheduleDue = [this] { scheduleDue(); };
    window.onDialUpRequested = [this] { dialUpRequested(); };
    window.onLockRequested = [this] { lockRequested(); };
}

void SessionPresenter::hideMainWindow()
{
    if (!mainWindow_)
        return;
    mainWindow_ = nullptr;
    view_.destroyMainWindow();
}

std::size_t SessionPresenter::listCount() const
{
    return mainWindow_ ? mainWindow_->listCount() : 0;
}

// A notice left hidden by an earlier power action (say one the system
// refused) would otherwise come back silent, at the count it stopped at.
void SessionPresenter::scheduleDue()
{
    if (dueNotice_)
        view_.destroyDueNotice();
    dueNotice_ = true;
    view_.makeDueNotice(
        [this] { return mainWindow_ ? mainWindow_->scheduleAction() : ScheduleAction::Alarm; });
}

void SessionPresenter::dueNoticeClosed()
{
    if (!dueNotice_)
        return;
    dueNotice_ = false;
    view_.destroyDueNotice();
}

void SessionPresenter::dialUpRequested()
{
    if (!dialUp_) {
        dialUp_ = true;
        view_.makeDialUp();
    }
    view_.bringDialUpForward();
}

void SessionPresenter::dialUpClosed()
{
    if (!dialUp_)
        return;
    dialUp_ = false;
    view_.destroyDialUp();
}

void SessionPresenter::lockRequested()
{
    if (lockSetup_)
        view_.destroyLockSetup();
    lockSetup_ = true;
    LockSetupPresenter& setup = view_.makeLockSetup();
    setup.onLock = [this](const std::string& password) { lock(password); };
    setup.onCancelled = [this] { showMainWindow(); };
    hideMainWindow();
}

void SessionPresenter::lockSetupClosed()
{
    if (!lockSetup_)
        return;
    lockSetup_ = false;
    view_.destroyLockSetup();
}

// The window must be on the screen before the pointer and the keyboard can
// be held for it; the main window comes back at once if the lock cannot hold.
void SessionPresenter::lock(const std::string& password)
{
    lockSetupClosed();
    if (locked_)
        view_.destroyLock();
    locked_ = true;
    LockPresenter& lock = view_.makeLock();
    lock.onUnlocked = [this] { showMainWindow(); };
    if (!lock.load()) {
        lockClosed();
        showMainWindow();
        return;
    }
    lock.setPassword(password);
}

void SessionPresenter::lockClosed()
{
    if (!locked_)
        return;
    locked_ = false;
    view_.destroyLock();
}
