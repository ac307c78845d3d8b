#pragma once

#include "core/scheduler/Schedule.h"
#include "core/window/DragHandle.h"
#include "core/window/Twips.h"

#include <QWidget>

#include <functional>

class MouseLabel;
class QLabel;
class QMouseEvent;
class QPushButton;
class QTimer;
struct Platform;

// The due-time notice: rings and flashes for the alarm, or counts ten
// seconds down and then powers off, restarts or logs off. It reads the chosen
// action when it loads and again when it executes, so a change in the timer
// panel during the countdown decides.
class Form4 : public QWidget {
    Q_OBJECT
public:
    Form4(Platform& platform, std::function<ScheduleAction()> chosenAction, QWidget* parent = nullptr);

    static constexpr int kWidthTwips = 3915;
    static constexpr int kHeightTwips = 2745;
    static constexpr unsigned kRed = 0x0000FF;   // 0xBBGGRR
    static constexpr unsigned kCyan = 0xFFFF00;

    void Timer1_Timer();    // the countdown, every second
    void Timer2_Timer();    // ring and flash, every half second
    void Command4_Click();  // 立刻执行
    // The message's colour as 0xBBGGRR.
    unsigned messageColour() const { return colour_; }

    MouseLabel* Label4 = nullptr;  // title strip, drag handle
    MouseLabel* Label6 = nullptr;  // body, drag handle
    QLabel* Label1 = nullptr;      // the message or the seconds left
    QPushButton* Command4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

signals:
    // "停止响铃" or "取消": the notice is to be unloaded.
    void unloadRequested();

private:
    void createControls();
    void load();
    void place(QWidget* widget, int left, int top, int width, int height);
    void setMessageColour(unsigned bgr);

    Platform& platform_;
    std::function<ScheduleAction()> chosenAction_;
    Twips twips_;
    DragOffset dragOffset_;
    DragHandle drag_;
    unsigned colour_ = kRed;
};
