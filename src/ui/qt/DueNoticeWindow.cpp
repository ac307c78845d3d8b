#include "DueNoticeWindow.h"

#include "DialogFrame.h"
#include "FormBuilder.h"
#include "MouseLabel.h"
#include "core/scheduler/DueNoticeForm.h"
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
    message_->raise();

    centreOnScreen(this, platform_.screen.geometry());
}

void DueNoticeWindow::createControls()
{
    using namespace due_notice_form;
    applyForm(this, kForm, twips_);
    const FormControls controls = buildControls(kForm, this, twips_);
    body_ = controls.get<MouseLabel>(kBody);
    title_ = controls.get<MouseLabel>(kTitle);
    message_ = controls.get<QLabel>(kMessage);
    executeButton_ = controls.get<QPushButton>(kExecute);
    stopRingButton_ = controls.get<QPushButton>(kStopRing);
    cancelButton_ = controls.get<QPushButton>(kCancel);
    body_->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid %2;").arg(cssColour(kBodyColour), cssColour(kBodyEdge)));
    title_->setStyleSheet(QStringLiteral("color: %1; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                         "stop:0 %2, stop:1 %3);")
                              .arg(cssColour(kTitleText), cssColour(kTitleTop), cssColour(kTitleBottom)));

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
