#include "SchedulePresenter.h"

#include "core/launcher/ItemLauncher.h"
#include "core/launcher/ItemText.h"
#include "core/services/Services.h"
#include "core/status/StatusText.h"
#include "core/window/NoticeTitles.h"

SchedulePresenter::SchedulePresenter(ScheduleView& view, Services& services, ItemLauncher& launcher)
    : view_(view)
    , services_(services)
    , launcher_(launcher)
{
}

void SchedulePresenter::load()
{
    view_.setClockBoxesEnabled(true);
    view_.setCountdownBoxEnabled(false);
    view_.setProgramText(kChooseInList);
    view_.setProgramBoxEnabled(false);
    view_.showRunning(false);
    showTime(services_.clock.now());
}

void SchedulePresenter::chooseMode(ScheduleMode mode)
{
    mode_ = mode;
    view_.setClockBoxesEnabled(mode == ScheduleMode::ClockTime);
    view_.setCountdownBoxEnabled(mode == ScheduleMode::Countdown);
}

void SchedulePresenter::chooseAction(ScheduleAction action)
{
    action_ = action;
    view_.setProgramBoxEnabled(action == ScheduleAction::RunProgram);
}

// Clearing a box is a change too; its empty text passes the check.
void SchedulePresenter::boxEdited(TimeBox box, const std::string& text)
{
    const int highest = box == TimeBox::Hour ? 23 : box == TimeBox::Minute ? 59 : 0;
    if (highest == 0)
        return;
    if (const std::optional<std::string> notice = rangeNotice(text, highest)) {
        services_.messages.inform(kNoticeTitle, *notice);
        view_.setBoxText(box, {});
    }
}

void SchedulePresenter::programEdited(const std::string& text)
{
    program_ = text;
}

void SchedulePresenter::start()
{
    running_ = true;
    view_.showRunning(true);
    view_.setMinuteTimerRunning(true);
}

void SchedulePresenter::stop()
{
    running_ = false;
    view_.showRunning(false);
    view_.setMinuteTimerRunning(false);
}

// Three checks, each made whether or not an earlier one acted: a start at an
// incomplete time with no program chosen tells both.
void SchedulePresenter::startOrStop()
{
    const auto toggle = [this] { running_ ? stop() : start(); };
    if (mode_ == ScheduleMode::ClockTime) {
        if (view_.boxText(TimeBox::Minute).empty() || view_.boxText(TimeBox::Hour).empty())
            services_.messages.inform(kNoticeTitle, "请把时间填写完整!");
        else
            toggle();
    }
    if (mode_ == ScheduleMode::Countdown) {
        const std::string minutesText = view_.boxText(TimeBox::Minutes);
        const int minutes = boxNumber(minutesText);
        if (minutesText.empty()) {
            services_.messages.inform(kNoticeTitle, "请把时间填写完整!");
        } else if (minutes > 360 || minutes < 1) {
            services_.messages.inform(kNoticeTitle, "范围：[1,360]");
            view_.setBoxText(TimeBox::Minutes, "1");
        } else {
            toggle();
        }
    }
    if (action_ == ScheduleAction::RunProgram && !program_) {
        stop();
        services_.messages.inform(kNoticeTitle, "请在列表中选择应用程序!");
    }
}

void SchedulePresenter::minuteTick()
{
    if (mode_ == ScheduleMode::ClockTime) {
        if (clockTimeDue(services_.clock.now(), view_.boxText(TimeBox::Hour), view_.boxText(TimeBox::Minute)))
            fire();
    } else {
        const CountdownStep step = countDown(view_.boxText(TimeBox::Minutes));
        view_.setBoxText(TimeBox::Minutes, step.minutesLeft);
        if (step.due)
            fire();
    }
}

// The schedule stops first, so the panel is free again while the program
// starts or the notice shows. A program starts as a launch from the list
// does, but the window stays.
void SchedulePresenter::fire()
{
    stop();
    if (action_ == ScheduleAction::RunProgram)
        launcher_.launch(displayTextOf(program_.value_or(kChooseInList)));
    else if (onDue)
        onDue();
}

void SchedulePresenter::itemChosen(const std::string& displayText)
{
    if (action_ != ScheduleAction::RunProgram || running_)
        return;
    program_ = itemNameOf(displayText);
    view_.setProgramText(*program_);
}

void SchedulePresenter::showTime(const LocalTime& now)
{
    // Twice a second: the view hears only of a changed text.
    const std::string text = "当前时间:" + timeOfDay(now);
    if (text == currentTime_)
        return;
    currentTime_ = text;
    view_.setCurrentTime(text);
}
