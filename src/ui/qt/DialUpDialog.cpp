#include "DialUpDialog.h"

#include "DialogFrame.h"
#include "core/dialup/DialUpForm.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

DialUpDialog::DialUpDialog(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , twips_(platform.screen.twipsPerPixelX())
    , drag_(dragOffset_)
    , presenter_(*this, platform.services)
{
    createControls();
    presenter_.load();

    centreOnScreen(this, platform.screen.geometry());
}

void DialUpDialog::createControls()
{
    using namespace dial_up_form;
    const FormControls controls = makeGreyDialog(this, kForm, twips_, drag_);
    nameBox_ = controls.get<QLineEdit>(kName);
    accountBox_ = controls.get<QLineEdit>(kAccount);
    passwordBox_ = controls.get<QLineEdit>(kPassword);
    cancelButton_ = controls.get<QPushButton>(kCancel);
    disconnectButton_ = controls.get<QPushButton>(kDisconnect);
    connectButton_ = controls.get<QPushButton>(kConnect);
    status_ = controls.get<QLabel>(kStatus);

    // The status line follows a press of any mouse button; a keyboard
    // activation runs the click alone.
    connectButton_->installEventFilter(this);
    disconnectButton_->installEventFilter(this);
    connect(connectButton_, &QPushButton::clicked, this, [this] { presenter_.connectClicked(); });
    connect(disconnectButton_, &QPushButton::clicked, this, [this] { presenter_.disconnectClicked(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { presenter_.cancelClicked(); });
}

bool DialUpDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == connectButton_)
            presenter_.connectPressed();
        else if (watched == disconnectButton_)
            presenter_.disconnectPressed();
    }
    return QWidget::eventFilter(watched, event);
}

std::string DialUpDialog::nameText() const
{
    return toStd(nameBox_->text());
}

std::string DialUpDialog::accountText() const
{
    return toStd(accountBox_->text());
}

std::string DialUpDialog::passwordText() const
{
    return toStd(passwordBox_->text());
}

void DialUpDialog::setTexts(const std::string& name, const std::string& account, const std::string& password)
{
    nameBox_->setText(toQt(name));
    accountBox_->setText(toQt(account));
    passwordBox_->setText(toQt(password));
}

void DialUpDialog::setStatus(const std::string& text)
{
    status_->setText(toQt(text));
}

void DialUpDialog::close()
{
    hide();
    emit closeRequested();
}

// Closed by the window manager (Alt+F4): as 取消.
void DialUpDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closeRequested();
}
