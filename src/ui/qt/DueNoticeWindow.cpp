#include "DueNoticeWindow.h"

#include "DialogFrame.h"
#include "Fonts.h"
#include "MouseLabel.h"
#include "Placement.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"

#include <QPushButton>
#include <QTimer>

namespace {

QColor fromBgr(unsigned bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

}  // namespace

DueNoticeWindow::DueNoticeWindow(Platform& platform, std::function<ScheduleAction()> chosenAction, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , platform_(platform)
    , twips_(platform.screen.twipsPerPixelX())
    , drag_(dragOffset_)
    , presenter_(*this, platform.services, std::move(chosenAction))
{
    createControls();
    raise();
    presenter_.load();
    placeByTwips(title_, twips_, 50, 50, kWidthTwips - 100, 350);
    placeByTwips(body_, twips_, 50, 450, kWidthTwips - 100, kHeightTwips - 500);
    message_->raise();

    centreOnScreen(this, platform_.screen.geometry());
}

void DueNoticeWindow::createControls()
{
    setObjectName(QStringLiteral("dueNotice"));
    setWindowTitle(QStringLiteral("定时提示"));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(grey);
    setAutoFillBackground(true);
    setFixedSize(twips_.toPixels(kWidthTwips), twips_.toPixels(kHeightTwips));

    body_ = new MouseLabel(this);
    body_->setObjectName(QStringLiteral("body"));
    body_->setStyleSheet(QStringLiteral("background: #d9e4f2; border: 1px solid #6f93c4;"));

    title_ = new MouseLabel(QStringLiteral("★定时提示★"), this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setAlignment(Qt::AlignCenter);
    title_->setTextFormat(Qt::PlainText);
    title_->setFont(uiFont(10.5, true));
    title_->setStyleSheet(QStringLiteral("color: white; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                         "stop:0 #3a6fb5, stop:1 #1d4f91);"));

    message_ = new QLabel(QStringLiteral("时间到!!"), this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setAlignment(Qt::AlignCenter);
    message_->setTextFormat(Qt::PlainText);
    message_->setFont(roundFont(36));
    placeByTwips(message_, twips_, 480, 840, 2880, 720);

    const auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setFont(uiFont(10.5));
        return button;
    };
    executeButton_ = makeButton("executeButton", QStringLiteral("立刻执行"));
    stopRingButton_ = makeButton("stopRingButton", QStringLiteral("停止响铃"));
    cancelButton_ = makeButton("cancelButton", QStringLiteral("取消"));
    placeByTwips(executeButton_, twips_, 480, 1800, 1215, 375);
    placeByTwips(stopRingButton_, twips_, 1200, 1800, 1335, 375);
    placeByTwips(cancelButton_, twips_, 2160, 1800, 1215, 375);

    countdownTimer_ = new QTimer(this);
    countdownTimer_->setInterval(1000);
    flashTimer_ = new QTimer(this);
    flashTimer_->setInterval(500);

    connect(countdownTimer_, &QTimer::timeout, this, [this] { presenter_.countdownTick(); });
    connect(flashTimer_, &QTimer::timeout, this, [this] { presenter_.flashTick(); });
    connect(executeButton_, &QPushButton::clicked, this, [this] { presenter_.executeNow(); });
    connect(stopRingButton_, &QPushButton::clicked, this, &DueNoticeWindow::unloadRequested);
    connect(cancelButton_, &QPushButton::clicked, this, &DueNoticeWindow::unloadRequested);
    for (MouseLabel* handle : {title_, body_})
        dragWindowBy(handle, this, drag_);
}

void DueNoticeWindow::showAlarmButtons(bool alarm)
{
    stopRingButton_->setVisible(alarm);
    cancelButton_->setVisible(!alarm);
    executeButton_->setVisible(!alarm);
}

void DueNoticeWindow::setMessage(const std::string& text)
{
    message_->setText(toQt(text));
}

void DueNoticeWindow::setMessageColour(unsigned bgr)
{
    QPalette palette = message_->palette();
    palette.setColor(QPalette::WindowText, fromBgr(bgr));
    message_->setPalette(palette);
}

void DueNoticeWindow::setCountdownRunning(bool running)
{
    if (running)
        countdownTimer_->start();
    else
        countdownTimer_->stop();
}

void DueNoticeWindow::setFlashing(bool flashing)
{
    if (flashing)
        flashTimer_->start();
    else
        flashTimer_->stop();
}

void DueNoticeWindow::hide()
{
    QWidget::hide();
}
