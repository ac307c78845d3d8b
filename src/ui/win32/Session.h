#pragma once

#include "DialUpWindow.h"
#include "DueNoticeWindow.h"
#include "LockSetupWindow.h"
#include "LockWindow.h"
#include "MainWindow.h"
#include "Window.h"
#include "core/app/SessionPresenter.h"
#include "core/app/TrayHostPresenter.h"
#include "core/lock/LockPresenters.h"

#include <memory>
#include <vector>

struct Platform;

// The Win32 program's session: the tray icon, and the windows the session
// presenter asks for. A window is freed after the message that closed it
// has been handled, never from inside its own handler.
class Session final : public Window, public TrayHostView, public SessionView {
public:
    explicit Session(Platform& platform);
    ~Session() override;

    void start(bool soleCopy) { tray_.start(soleCopy); }

    // TrayHostView
    void showMainWindow() override { session_.showMainWindow(); }
    std::size_t listCount() const override { return session_.listCount(); }
    Result installTrayIcon(const std::string& tip) override;
    std::optional<std::string> popupMenu(const MenuSpec& menu) override;
    void report(const std::string& problem) override;

    // SessionView
    MainWindowPresenter& makeMainWindow(MainWindowState& state) override;
    void destroyMainWindow() override;
    void makeDueNotice(std::function<ScheduleAction()> chosenAction) override;
    void destroyDueNotice() override;
    void makeDialUp() override;
    void bringDialUpForward() override;
    void destroyDialUp() override;
    LockSetupPresenter& makeLockSetup() override;
    void destroyLockSetup() override;
    LockPresenter& makeLock() override;
    void destroyLock() override;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void freeLater(std::unique_ptr<Window> window);
    // Hides the window at once and frees it later; nothing without one.
    template <typename W>
    void closeLater(std::unique_ptr<W>& window)
    {
        if (!window)
            return;
        ShowWindow(window->hwnd(), SW_HIDE);
        freeLater(std::move(window));
    }

    Platform& platform_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<DueNoticeWindow> dueNotice_;
    std::vector<std::unique_ptr<Window>> closed_;
    std::unique_ptr<DialUpWindow> dialUp_;
    std::unique_ptr<LockSetupWindow> lockSetup_;
    std::unique_ptr<LockWindow> lock_;
    SessionPresenter session_;
    TrayHostPresenter tray_;
};
