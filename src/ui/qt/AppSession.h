#pragma once

#include "MainWindow.h"
#include "core/app/SessionPresenter.h"
#include "core/app/TrayHostPresenter.h"

#include <QIcon>
#include <QObject>

#include <memory>

class DialUpDialog;
class DueNoticeWindow;
class LockSetupWindow;
class LockWindow;
struct Platform;

// Everything that lives as long as the program: the tray icon and its menu,
// and the windows, which it makes and destroys as the session presenter
// says.
class AppSession final : public QObject, public TrayHostView, public SessionView {
    Q_OBJECT
public:
    explicit AppSession(Platform& platform, QObject* parent = nullptr);
    ~AppSession() override;

    // Shows the main window and installs the tray icon. soleCopy: this copy
    // holds the one-copy lock, so what an interrupted save left may be cleared.
    void start(bool soleCopy = true);

    void showMainWindow() override;
    std::size_t listCount() const override;
    Result installTrayIcon(const std::string& tip) override;
    std::optional<std::string> popupMenu(const MenuSpec& menu) override;
    void report(const std::string& problem) override;

    // Destroys the main window and its timers; what it keeps lives on.
    void hideMainWindow() { session_.hideMainWindow(); }
    // Shows the notice, freshly loaded.
    void showDueNotice() { session_.scheduleDue(); }
    // Opens the dial-up dialog, or brings the open one forward: there is one.
    void showDialUp() { session_.dialUpRequested(); }
    // Opens a new lock password set-up and unloads the main window.
    void showLockSetup() { session_.lockRequested(); }

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

    TrayHostPresenter& presenter() { return presenter_; }
    MainWindow* mainWindow() const { return mainWindow_.get(); }
    DueNoticeWindow* dueNotice() const { return dueNotice_.get(); }
    DialUpDialog* dialUp() const { return dialUp_.get(); }
    LockSetupWindow* lockSetup() const { return lockSetup_.get(); }
    LockWindow* lockWindow() const { return lockWindow_.get(); }
    const MainWindowState& mainWindowState() const { return session_.mainWindowState(); }

private:
    struct DeleteLater {
        void operator()(QObject* object) const;
    };
    Platform& platform_;
    QIcon icon_;
    std::unique_ptr<MainWindow, DeleteLater> mainWindow_;
    std::unique_ptr<DueNoticeWindow, DeleteLater> dueNotice_;
    std::unique_ptr<DialUpDialog, DeleteLater> dialUp_;
    std::unique_ptr<LockSetupWindow, DeleteLater> lockSetup_;
    std::unique_ptr<LockWindow, DeleteLater> lockWindow_;
    SessionPresenter session_;
    TrayHostPresenter presenter_;
};
