#pragma once

#include "Schedule.h"

#include <functional>
#include <string>

struct Services;

// The due-time notice's window.
class DueNoticeView {
public:
    virtual ~DueNoticeView() = default;
    // The alarm shows "停止响铃" alone; a power action shows "立刻执行" and "取消".
    virtual void showAlarmButtons(bool alarm) = 0;
    virtual void setMessage(const std::string& text) = 0;
    // As 0xBBGGRR.
    virtual void setMessageColour(unsigned bgr) = 0;
    // The countdown ticks every second, the ring and flash every half second.
    virtual void setCountdownRunning(bool running) = 0;
    virtual void setFlashing(bool flashing) = 0;
    virtual void hide() = 0;
};

// The due-time notice: rings and flashes for the alarm, or counts ten
// seconds down and then powers off, restarts or logs off. It reads the chosen
// action when it loads and again when it executes, so a change in the timer
// panel during the countdown decides.
class DueNoticePresenter {
public:
    DueNoticePresenter(DueNoticeView& view, Services& services, std::function<ScheduleAction()> chosenAction);

    static constexpr unsigned kRed = 0x0000FF;
    static constexpr unsigned kCyan = 0xFFFF00;
    static constexpr int kCountdownSeconds = 10;

    void load();
    void countdownTick();
    void flashTick();
    // "立刻执行", or the countdown reaching zero.
    void executeNow();

    unsigned messageColour() const { return colour_; }
    int secondsLeft() const { return secondsLeft_; }

private:
    void setColour(unsigned bgr);
    std::string ringFile() const;

    DueNoticeView& view_;
    Services& services_;
    std::function<ScheduleAction()> chosenAction_;
    int secondsLeft_ = kCountdownSeconds;
    unsigned colour_ = kRed;
};
