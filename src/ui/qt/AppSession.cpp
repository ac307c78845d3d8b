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
    , session_(*this)
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
    session_.showMainWindow();
}

MainWindowPresenter& AppSession::makeMainWindow(MainWindowState& state)
{
    mainWindow_.reset(new MainWindow(platform_, state));
    mainWindow_->show();
    return mainWindow_->presenter();
}

void AppSession::destroyMainWindow()
{
    if (!mainWindow_)
        return;
    mainWindow_->hide();
    mainWindow_.reset();
}

std::size_t AppSession::listCount() const
{
    return session_.listCount();
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

// Stopping the ring or cancelling unloads the notice; it goes once its own
// click has been handled.
void AppSession::makeDueNotice(std::function<ScheduleAction()> chosenAction)
{
    dueNotice_.reset(new DueNoticeWindow(platform_, std::move(chosenAction)));
    connect(dueNotice_.get(), &DueNoticeWindow::unloadRequested, this, [this, notice = dueNotice_.get()] {
        if (dueNotice_.get() == notice)
            session_.dueNoticeClosed();
    });
    dueNotice_->show();
    dueNotice_->raise();
    dueNotice_->activateWindow();
}

void AppSession::destroyDueNotice()
{
    if (!dueNotice_)
        return;
    dueNotice_->hide();
    dueNotice_.reset();
}

void AppSession::makeDialUp()
{
    dialUp_.reset(new DialUpDialog(platform_));
    connect(dialUp_.get(), &DialUpDialog::closeRequested, this, [this] { session_.dialUpClosed(); });
}

void AppSession::bringDialUpForward()
{
    dialUp_->show();
    dialUp_->raise();
    dialUp_->activateWindow();
}

void AppSession::destroyDialUp()
{
    dialUp_.reset();
}

LockSetupPresenter& AppSession::makeLockSetup()
{
    lockSetup_.reset(new LockSetupWindow(platform_));
    connect(lockSetup_.get(), &LockSetupWindow::closeRequested, this, [this, setup = lockSetup_.get()] {
        if (lockSetup_.get() == setup)
            session_.lockSetupClosed();
    });
    lockSetup_->show();
    lockSetup_->raise();
    lockSetup_->activateWindow();
    return lockSetup_->presenter();
}

void AppSession::destroyLockSetup()
{
    if (!lockSetup_)
        return;
    lockSetup_->hide();
    lockSetup_.reset();
}

// The window must be on the screen before the pointer and the keyboard can
// be held for it.
LockPresenter& AppSession::makeLock()
{
    lockWindow_.reset(new LockWindow(platform_));
    connect(lockWindow_.get(), &LockWindow::closeRequested, this, [this, window = lockWindow_.get()] {
        if (lockWindow_.get() == window)
            session_.lockClosed();
    });
    lockWindow_->show();
    lockWindow_->raise();
    return lockWindow_->presenter();
}

void AppSession::destroyLock()
{
    if (!lockWindow_)
        return;
    lockWindow_->hide();
    lockWindow_.reset();
}
