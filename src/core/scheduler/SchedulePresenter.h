#pragma once

#include "Schedule.h"

#include <functional>
#include <optional>
#include <string>

class ItemLauncher;
struct LocalTime;
struct Services;

// How the schedule counts: to a time of day, or a number of minutes from now.
enum class ScheduleMode { ClockTime, Countdown };
enum class TimeBox { Hour, Minute, Minutes };

// The timer panel's controls.
class ScheduleView {
public:
    virtual ~ScheduleView() = default;
    virtual std::string boxText(TimeBox box) const = 0;
    virtual void setBoxText(TimeBox box, const std::string& text) = 0;
    virtual void setCurrentTime(const std::string& text) = 0;
    // Which boxes take input: the hour and minute for a clock time, the
    // minutes for a countdown, the program box for the run-program action.
    virtual void setClockBoxesEnabled(bool enabled) = 0;
    virtual void setCountdownBoxEnabled(bool enabled) = 0;
    virtual void setProgramBoxEnabled(bool enabled) = 0;
    virtual void setProgramText(const std::string& text) = 0;
    // While the schedule runs, its settings cannot change: the options are
    // off and the boxes read-only, though they still show their text; the
    // start button reads "停止".
    virtual void showRunning(bool running) = 0;
    // The timer of the schedule's minute.
    virtual void setMinuteTimerRunning(bool running) = 0;
};

// The timer panel: its checks, the start and stop of the schedule, and the
// schedule's minute. Nothing of the schedule is stored.
class SchedulePresenter {
public:
    SchedulePresenter(ScheduleView& view, Services& services, ItemLauncher& launcher);

    static constexpr const char* kChooseInList = "请在列表中选择!";

    void load();
    void chooseMode(ScheduleMode mode);
    void chooseAction(ScheduleAction action);
    // The user changed a box; a number out of range is told and cleared.
    void boxEdited(TimeBox box, const std::string& text);
    void programEdited(const std::string& text);
    // Whether a key press may reach a time box.
    static bool keepsKey(BoxKey key, const std::string& text) { return keptInTimeBox(key, text); }

    void startOrStop();
    void minuteTick();
    // A list entry was chosen: it names the program to run, unless a running
    // schedule has locked the box.
    void itemChosen(const std::string& displayText);
    void showTime(const LocalTime& now);

    ScheduleAction action() const { return action_; }
    bool running() const { return running_; }

    // The schedule is due and its action is not to run a program.
    std::function<void()> onDue;

private:
    void start();
    void stop();
    void fire();

    ScheduleView& view_;
    Services& services_;
    ItemLauncher& launcher_;
    ScheduleMode mode_ = ScheduleMode::ClockTime;
    ScheduleAction action_ = ScheduleAction::Alarm;
    bool running_ = false;
    std::optional<std::string> program_;  // nothing until one is chosen or typed
    std::string currentTime_;
};
