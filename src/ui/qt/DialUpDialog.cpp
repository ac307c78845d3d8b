#include "DialUpDialog.h"

#include "DialogFrame.h"
#include "Fonts.h"
#include "MouseLabel.h"
#include "Placement.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"

#include <QCloseEvent>
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
    setObjectName(QStringLiteral("dialUpDialog"));
    setWindowTitle(QStringLiteral("宽带连接"));
    setStyleSheet(QStringLiteral("#title, #body, #status { background: rgb(192,192,192); }"
                                 "QLineEdit { background: rgb(224,224,224); lineedit-password-character: 42; }"
                                 "#nameLabel, #accountLabel, #passwordLabel { background: transparent; }"));

    makeGreyDialogFrame(this, twips_, kWidthTwips, kHeightTwips, QStringLiteral("★宽带连接★"), drag_);

    const auto makeCaption = [this](const char* name, const QString& caption, int top) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name));
        label->setFont(uiFont(10.5));
        label->setTextFormat(Qt::PlainText);
        placeByTwips(label, twips_, 840, top, 1095, 375);
    };
    const auto makeBox = [this](const char* name, int top) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setFont(uiFont(10.5));
        placeByTwips(box, twips_, 1800, top, 2895, 375);
        return box;
    };
    // Made in the keyboard order: name, account, password, then 取消, 断开, 连接.
    nameBox_ = makeBox("nameBox", 960);
    makeCaption("nameLabel", QStringLiteral("连接名称:"), 960);
    accountBox_ = makeBox("accountBox", 1440);
    passwordBox_ = makeBox("passwordBox", 1920);
    makeCaption("accountLabel", QStringLiteral("宽带帐号:"), 1440);
    makeCaption("passwordLabel", QStringLiteral("宽带密码:"), 1920);
    // Shown as "*"; an input method must neither show nor swallow the password.
    passwordBox_->setEchoMode(QLineEdit::Password);
    passwordBox_->setAttribute(Qt::WA_InputMethodEnabled, false);

    const auto makeButton = [this](const char* name, const QString& caption, int left) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setFont(uiFont(12));
        button->setAutoDefault(false);
        placeByTwips(button, twips_, left, 2520, 975, 375);
        return button;
    };
    cancelButton_ = makeButton("cancelButton", QStringLiteral("取消"), 3720);
    disconnectButton_ = makeButton("disconnectButton", QStringLiteral("断开"), 2280);
    connectButton_ = makeButton("connectButton", QStringLiteral("连接"), 840);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setAlignment(Qt::AlignCenter);
    status_->setTextFormat(Qt::PlainText);
    status_->setFont(uiFont(12));
    placeByTwips(status_, twips_, 840, 3120, 3855, 375);

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
