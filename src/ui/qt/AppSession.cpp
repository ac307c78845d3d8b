#include "AppSession.h"

#include "Art.h"
#include "DialUpDialog.h"
#include "DueNoticeWindow.h"
#include "LockSetupWindow.h"
#include "LockWindow.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"

#include <QGuiApplication>

#include <cstdio>

void AppSession::DeleteLater::operator()(QObject* object) const
{
    // A window may be destroyed from inside one of its own handlers.
    object->deleteLater();
}

AppSession::AppSession(Platform& platform, QObject* parent)
    : QObject(parent)
    , platform_(platform)
    , icon_(art::appIcon())
    , presenter_(*this, platform.services)
{
    // One icon for the tray and, as the application's icon, for every window.
    QGuiApplication::setWindowIcon(icon_);
}

AppSession::~AppSession() = default;

void AppSession::start(bool soleCopy)
{
    presenter_.start(soleCopy);
}

void AppSession::showMainWindow()
{
    if (mainWindow_) {
        // Hidden but loaded (a power-off the system refused or never did):
        // shown as it is, without a new load.
        if (mainWindow_->isMinimized())
            mainWindow_->showNormal();
        else if (!mainWindow_->isVisible())
            mainWindow_->show();
        mainWindow_->raise();
        mainWindow_->activateWindow();
        return;
    }
    mainWindow_.reset(new MainWindow(platform_, mainWindowState_));
    connect(mainWindow_.get(), &MainWindow::hideRequested, this, &AppSession::hideMainWindow);
    connect(mainWindow_.get(), &MainWindow::scheduleDue, this, &AppSession::showDueNotice);
    connect(mainWindow_.get(), &MainWindow::dialUpRequested, this, &AppSession::showDialUp);
    connect(mainWindow_.get(), &MainWindow::lockRequested, this, &AppSession::showLockSetup);
    mainWindow_->show();
}

void AppSession::hideMainWindow()
{
    if (!mainWindow_)
        return;
    mainWindow_->hide();
    mainWindow_.reset();
}

std::size_t AppSession::listCount() const
{
    return mainWindow_ ? mainWindow_->launcherList().presenter().count() : 0;
}

Result AppSession::installTrayIcon(const std::string& tip)
{
    return platform_.tray.install(TrayPicture::Application, tip,
                                  [this](TrayEvent event) { presenter_.trayEvent(event); });
}

std::optional<std::string> AppSession::popupMenu(const MenuSpec& menu)
{
    return platform_.menus.popup(menu, platform_.menus.pointerPosition());
}

void AppSession::report(const std::string& problem)
{
    std::fprintf(stderr, "ombrel: %s\n", problem.c_str());
}

ScheduleAction AppSession::chosenAction() const
{
    return mainWindow_ ? mainWindow_->scheduleAction() : ScheduleAction::Alarm;
}

// Each firing shows the notice freshly loaded, with the action chosen now:
// one left hidden by an earlier power action (say one the system refused)
// would otherwise come back silent, at the count it stopped at.
void AppSession::showDueNotice()
{
    if (dueNotice_) {
        dueNotice_->hide();
        dueNotice_.reset();
    }
    dueNotice_.reset(new DueNoticeWindow(platform_, [this] { return chosenAction(); }));
    // Stopping the ring or cancelling unloads the notice; it goes once its
    // own click has been handled.
    connect(dueNotice_.get(), &DueNoticeWindow::unloadRequested, this, [this, notice = dueNotice_.get()] {
        if (dueNotice_.get() != notice)
            return;
        dueNotice_->hide();
        dueNotice_.reset();
    });
    dueNotice_->show();
    dueNotice_->raise();
    dueNotice_->activateWindow();
}

void AppSession::showDialUp()
{
    if (!dialUp_) {
        dialUp_.reset(new DialUpDialog(platform_));
        connect(dialUp_.get(), &DialUpDialog::closeRequested, this, [this] { dialUp_.reset(); });
    }
    dialUp_->show();
    dialUp_->raise();
    dialUp_->activateWindow();
}

void AppSession::showLockSetup()
{
    if (lockSetup_) {
        lockSetup_->hide();
        lockSetup_.reset();
    }
    lockSetup_.reset(new LockSetupWindow(platform_));
    connect(lockSetup_.get(), &LockSetupWindow::closeRequested, this, [this, setup = lockSetup_.get()] {
        if (lockSetup_.get() == setup)
            lockSetup_.reset();
    });
    lockSetup_->presenter().onLock = [this](const std::string& password) { lock(password); };
    lockSetup_->presenter().onCancelled = [this] { showMainWindow(); };
    lockSetup_->show();
    lockSetup_->raise();
    lockSetup_->activateWindow();
    hideMainWindow();
}

void AppSession::lock(const std::string& password)
{
    if (lockWindow_) {
        lockWindow_->hide();
        lockWindow_.reset();
    }
    lockWindow_.reset(new LockWindow(platform_));
    LockWindow* window = lockWindow_.get();
    connect(window, &LockWindow::closeRequested, this, [this, window] {
        if (lockWindow_.get() == window)
            lockWindow_.reset();
    });
    window->presenter().onUnlocked = [this] { showMainWindow(); };
    // The window must be on the screen before the pointer and the keyboard
    // can be held for it.
    window->show();
    window->raise();
    if (!window->presenter().load()) {
        window->hide();
        if (lockWindow_.get() == window)
            lockWindow_.reset();
        showMainWindow();
        return;
    }
    window->presenter().setPassword(password);
}
