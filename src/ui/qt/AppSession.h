#pragma once

#include "MainWindow.h"
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
// the main window (made and destroyed as it is shown and hidden) with what it
// keeps in between, and the due-time notice, which outlives the window that
// showed it.
class AppSession final : public QObject, public TrayHostView {
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
    void hideMainWindow();
    // Shows the notice, freshly loaded.
    void showDueNotice();
    // Opens the dial-up dialog, or brings the open one forward: there is one.
    void showDialUp();
    // Opens a new lock password set-up and unloads the main window.
    void showLockSetup();

    TrayHostPresenter& presenter() { return presenter_; }
    MainWindow* mainWindow() const { return mainWindow_.get(); }
    DueNoticeWindow* dueNotice() const { return dueNotice_.get(); }
    DialUpDialog* dialUp() const { return dialUp_.get(); }
    LockSetupWindow* lockSetup() const { return lockSetup_.get(); }
    LockWindow* lockWindow() const { return lockWindow_.get(); }
    const MainWindowState& mainWindowState() const { return mainWindowState_; }

private:
    struct DeleteLater {
        void operator()(QObject* object) const;
    };
    // The action the notice carries out: the main window's choice, or the
    // alarm when no window is open.
    ScheduleAction chosenAction() const;
    // Puts up the lock with the password chosen; the main window comes
    // back at once if the lock cannot hold.
    void lock(const std::string& password);

    Platform& platform_;
    QIcon icon_;
    MainWindowState mainWindowState_;
    std::unique_ptr<MainWindow, DeleteLater> mainWindow_;
    std::unique_ptr<DueNoticeWindow, DeleteLater> dueNotice_;
    std::unique_ptr<DialUpDialog, DeleteLater> dialUp_;
    std::unique_ptr<LockSetupWindow, DeleteLater> lockSetup_;
    std::unique_ptr<LockWindow, DeleteLater> lockWindow_;
    TrayHostPresenter presenter_;
};
