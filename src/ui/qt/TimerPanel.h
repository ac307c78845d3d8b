#pragma once

#include "core/scheduler/SchedulePresenter.h"

#include <QObject>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class Twips;

// The timer panel: the current time, a clock time or a countdown, the
// action when due, and 开始/停止.
class TimerPanel final : public QObject, public ScheduleView {
public:
    TimerPanel(QFrame* frame, const Twips& twips, Services& services, ItemLauncher& launcher);

    SchedulePresenter& presenter() { return presenter_; }

    std::string boxText(TimeBox box) const override;
    void setBoxText(TimeBox box, const std::string& text) override;
    void setCurrentTime(const std::string& text) override;
    void setClockBoxesEnabled(bool enabled) override;
    void setCountdownBoxEnabled(bool enabled) override;
    void setProgramBoxEnabled(bool enabled) override;
    void setProgramText(const std::string& text) override;
    void showRunning(bool running) override;
    void setMinuteTimerRunning(bool running) override;

    QLabel* currentTimeLabel() const { return currentTime_; }
    QRadioButton* modeOption(ScheduleMode mode) const { return modes_[std::size_t(mode)]; }
    QRadioButton* actionOption(ScheduleAction action) const { return actions_[std::size_t(action)]; }
    QLineEdit* box(TimeBox box) const { return boxes_[std::size_t(box)]; }
    QLineEdit* programBox() const { return programBox_; }
    QPushButton* startButton() const { return startButton_; }
    QTimer* minuteTimer() const { return minuteTimer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* currentTime_ = nullptr;
    std::array<QRadioButton*, 2> modes_{};
    std::array<QLineEdit*, 3> boxes_{};
    std::array<QRadioButton*, 5> actions_{};
    QLineEdit* programBox_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QTimer* minuteTimer_ = nullptr;
    SchedulePresenter presenter_;
};
