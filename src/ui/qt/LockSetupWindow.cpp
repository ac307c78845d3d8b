#include "LockSetupWindow.h"

#include "DialogFrame.h"
#include "Fonts.h"
#include "MouseLabel.h"
#include "Placement.h"
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
    setObjectName(QStringLiteral("lockSetupWindow"));
    setWindowTitle(QStringLiteral("锁屏设置"));
    setStyleSheet(QStringLiteral("#title, #body { background: rgb(192,192,192); }"
                                 "QLineEdit { background: rgb(224,224,224); lineedit-password-character: 42; }"
                                 "#passwordLabel, #repeatLabel { background: transparent; }"));

    makeGreyDialogFrame(this, twips_, kWidthTwips, kHeightTwips, QStringLiteral("★锁屏设置★"), drag_);

    const auto makeCaption = [this](const char* name, const QString& caption, int top) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name));
        label->setFont(uiFont(10.5));
        label->setTextFormat(Qt::PlainText);
        placeByTwips(label, twips_, 240, top, 1095, 375);
    };
    makeCaption("passwordLabel", QStringLiteral("解锁密码"), 600);
    makeCaption("repeatLabel", QStringLiteral("重复密码"), 1080);

    const auto makeButton = [this](const char* name, const QString& caption, int left, int width) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setFont(uiFont(12));
        button->setAutoDefault(false);  // neither is the default button
        placeByTwips(button, twips_, left, 1800, width, 375);
        return button;
    };
    const auto makeBox = [this](const char* name, int top) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setFont(uiFont(9));
        // Shown as "*"; an input method must neither show nor swallow the password.
        box->setEchoMode(QLineEdit::Password);
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        placeByTwips(box, twips_, 1200, top, 2415, 375);
        return box;
    };
    // Made in the keyboard order: 取消, 确定, the repeated password, the password.
    cancelButton_ = makeButton("cancelButton", QStringLiteral("取消"), 1560, 855);
    okButton_ = makeButton("okButton", QStringLiteral("确定"), 2640, 975);
    repeatBox_ = makeBox("repeatBox", 1080);
    passwordBox_ = makeBox("passwordBox", 600);

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
