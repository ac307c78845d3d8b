#pragma once

#include "core/scheduler/DueNoticePresenter.h"
#include "core/window/DragHandle.h"
#include "core/window/Twips.h"

#include <QWidget>

class MouseLabel;
class QLabel;
class QPushButton;
class QTimer;
struct Platform;

// The due-time notice's window: a frameless box dragged by its title or body,
// with the message and the buttons for the chosen action.
class DueNoticeWindow final : public QWidget, public DueNoticeView {
    Q_OBJECT
public:

    DueNoticeWindow(Platform& platform, std::function<ScheduleAction()> chosenAction, QWidget* parent = nullptr);

    DueNoticePresenter& presenter() { return presenter_; }

    void showAlarmButtons(bool alarm) override;
    void setMessage(const std::string& text) override;
    void setMessageColour(unsigned bgr) override;
    void setCountdownRunning(bool running) override;
    void setFlashing(bool flashing) override;
    void hide() override;

    QLabel* message() const { return message_; }
    QPushButton* executeButton() const { return executeButton_; }
    QPushButton* stopRingButton() const { return stopRingButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QTimer* countdownTimer() const { return countdownTimer_; }
    QTimer* flashTimer() const { return flashTimer_; }

signals:
    // "停止响铃" or "取消": the notice is to be unloaded.
    void unloadRequested();

private:
    void createControls();

    Platform& platform_;
    Twips twips_;
    DragOffset dragOffset_;
    DragHandle drag_;
    MouseLabel* title_ = nullptr;
    MouseLabel* body_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* executeButton_ = nullptr;
    QPushButton* stopRingButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QTimer* countdownTimer_ = nullptr;
    QTimer* flashTimer_ = nullptr;
    DueNoticePresenter presenter_;
};
