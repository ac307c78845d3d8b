#include "LockSetupWindow.h"

#include "DialogFrame.h"
#include "core/lock/LockSetupForm.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

LockSetupWindow::LockSetupWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , twips_(platform.screen.twipsPerPixelX())
    , drag_(dragOffset_)
    , presenter_(*this, platform.services)
{
    createControls();

    centreOnScreen(this, platform.screen.geometry());
}

void LockSetupWindow::createControls()
{
    using namespace lock_setup_form;
    const FormControls controls = makeGreyDialog(this, kForm, twips_, drag_);
    cancelButton_ = controls.get<QPushButton>(kCancel);
    okButton_ = controls.get<QPushButton>(kOk);
    repeatBox_ = controls.get<QLineEdit>(kRepeat);
    passwordBox_ = controls.get<QLineEdit>(kPassword);

    connect(okButton_, &QPushButton::clicked, this, [this] { presenter_.okClicked(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { presenter_.cancelClicked(); });
    cancelButton_->setFocus();
}

std::string LockSetupWindow::password() const
{
    return toStd(passwordBox_->text());
}

std::string LockSetupWindow::repeatedPassword() const
{
    return toStd(repeatBox_->text());
}

void LockSetupWindow::clearPasswords()
{
    passwordBox_->clear();
    repeatBox_->clear();
}

void LockSetupWindow::close()
{
    hide();
    clearPasswords();
    emit closeRequested();
}

// Closed by the window manager (Alt+F4): neither locks nor brings the main
// window back; the tray icon does that.
void LockSetupWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    clearPasswords();
    emit closeRequested();
}
