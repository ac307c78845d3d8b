#pragma once

#include "core/scheduler/Schedule.h"
#include "core/window/MainWindowPresenter.h"

#include <cstddef>
#include <functional>
#include <string>

class LockPresenter;
class LockSetupPresenter;

// The windows of the session as the front end makes them: each make
// creates the window with its controls, loads it (the main window through
// its presenter's load) and shows it; each destroy takes it off the screen
// and frees it.
class SessionView {
public:
    virtual ~SessionView() = default;
    virtual MainWindowPresenter& makeMainWindow(MainWindowState& state) = 0;
    virtual void destroyMainWindow() = 0;
    // The notice asks for the action to carry out when it carries it out.
    virtual void makeDueNotice(std::function<ScheduleAction()> chosenAction) = 0;
    virtual void destroyDueNotice() = 0;
    virtual void makeDialUp() = 0;
    virtual void bringDialUpForward() = 0;
    virtual void destroyDialUp() = 0;
    virtual LockSetupPresenter& makeLockSetup() = 0;
    virtual void destroyLockSetup() = 0;
    virtual LockPresenter& makeLock() = 0;
    virtual void destroyLock() = 0;
};

// Which window lives when, for the life of the program:
// - the main window is made anew, and loads the list, each time it is shown
//   from nothing; hidden, it is destroyed, and what it keeps (the panel last
//   shown, the drag offsets, the find position) lives on here; one hidden
//   but loaded (by a power-off) is shown again as it is;
// - the due notice is made afresh at each firing, with the action the main
//   window has chosen then (the alarm without a window), and outlives the
//   main window;
// - there is one dial-up dialog; it outlives the main window;
// - the lock set-up unloads the main window; a cancel brings it back, and
//   so do an unlock and a lock that cannot hold.
class SessionPresenter {
public:
    explicit SessionPresenter(SessionView& view);

    void showMainWindow();
    void hideMainWindow();
    // The main window's item count; 0 without a window.
    std::size_t listCount() const;
    bool hasMainWindow() const { return mainWindow_ != nullptr; }

    void scheduleDue();
    // 停止响铃 or 取消 on the notice.
    void dueNoticeClosed();
    void dialUpRequested();
    void dialUpClosed();
    void lockRequested();
    // The set-up closed, by its buttons or the window manager (which
    // brings nothing back).
    void lockSetupClosed();
    // The lock window closed, at the unlock.
    void lockClosed();

    const MainWindowState& mainWindowState() const { return state_; }

private:
    void lock(const std::string& password);

    SessionView& view_;
    MainWindowState state_;
    MainWindowPresenter* mainWindow_ = nullptr;
    bool dueNotice_ = false;
    bool dialUp_ = false;
    bool lockSetup_ = false;
    bool locked_ = false;
};
