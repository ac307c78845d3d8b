#include "core/launcher/ItemLauncher.h"
#include "core/scheduler/SchedulePresenter.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Keeps what the presenter shows, as the timer panel would.
struct FakeScheduleView final : ScheduleView {
    std::string boxText(TimeBox box) const override
    {
        const auto found = boxes.find(box);
        return found == boxes.end() ? std::string() : found->second;
    }
    void setBoxText(TimeBox box, const std::string& text) override { boxes[box] = text; }
    void setCurrentTime(const std::string& text) override { currentTimes.push_back(text); }
    void setClockBoxesEnabled(bool enabled) override { clockBoxesEnabled = enabled; }
    void setCountdownBoxEnabled(bool enabled) override { countdownBoxEnabled = enabled; }
    void setProgramBoxEnabled(bool enabled) override { programBoxEnabled = enabled; }
    void setProgramText(const std::string& text) override { programText = text; }
    void showRunning(bool isRunning) override { running = isRunning; }
    void setMinuteTimerRunning(bool isRunning) override { minuteTimerRunning = isRunning; }

    std::map<TimeBox, std::string> boxes;
    std::vector<std::string> currentTimes;  // every text shown, in order
    bool clockBoxesEnabled = false;
    bool countdownBoxEnabled = false;
    bool programBoxEnabled = false;
    std::string programText;
    bool running = false;
    bool minuteTimerRunning = false;
};

constexpr const char* kTitle = "提示";
constexpr const char* kIncomplete = "请把时间填写完整!";
constexpr const char* kNoProgram = "请在列表中选择应用程序!";

class SchedulePresenterTest : public ::testing::Test {
protected:
    SchedulePresenterTest()
    {
        folder.writeProfile("[标题]\nCount=2\n000=● 记事本\n001=● 计算器\n"
                            "[● 记事本]\nFilename=/usr/bin/gedit\n"
                            "[● 计算器]\nFilename=/usr/bin/galculator\n");
        fakes.files.existing = {"/usr/bin/gedit", "/usr/bin/galculator"};
        schedule.onDue = [this] { ++dues; };
        schedule.load();
    }

    // The user types into a box: it holds the text, and the presenter hears of it.
    void type(TimeBox box, const std::string& text)
    {
        view.boxes[box] = text;
        schedule.boxEdited(box, text);
    }
    void setCountdown(const std::string& minutes)
    {
        schedule.chooseMode(ScheduleMode::Countdown);
        type(TimeBox::Minutes, minutes);
    }
    void setClock(int h, int m, int s) { fakes.clock.time = LocalTime::at(2026, 12, 8, h, m, s); }
    // The minute timer's tick as the clock reaches h:m:s.
    void tickAt(int h, int m, int s)
    {
        setClock(h, m, s);
        schedule.minuteTick();
    }
    // Runs a one-minute countdown with the given action out.
    void fireAfterOneMinute(ScheduleAction action)
    {
        schedule.chooseAction(action);
        setCountdown("1");
        schedule.startOrStop();
        ASSERT_TRUE(schedule.running());
        schedule.minuteTick();
    }
    std::vector<std::string> messages() const { return fakes.messages.texts(); }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    ItemLauncher launcher{fakes.services};
    FakeScheduleView view;
    SchedulePresenter schedule{view, fakes.services, launcher};
    int dues = 0;
};

TEST_F(SchedulePresenterTest, ClockBoxesCheckTheirRangeAsTyped)
{
    struct Case {
        TimeBox box;
        const char* typed;
        const char* notice;  // nullptr when the value fits
    };
    const Case cases[] = {
        {TimeBox::Hour, "24", "范围：[0,23]"},
        {TimeBox::Hour, "99", "范围：[0,23]"},
        {TimeBox::Hour, "23", nullptr},
        {TimeBox::Hour, "", nullptr},
        {TimeBox::Minute, "60", "范围：[0,59]"},
        {TimeBox::Minute, "059", nullptr},
        {TimeBox::Minute, "0", nullptr},
        // The countdown's range is checked at the start, not as typed.
        {TimeBox::Minutes, "999", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        fakes.messages.shown.clear();
        type(c.box, c.typed);
        if (c.notice) {
            EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBoxes::Shown>{{kTitle, c.notice}}));
            EXPECT_EQ(view.boxText(c.box), "");
        } else {
            EXPECT_TRUE(fakes.messages.shown.empty());
            EXPECT_EQ(view.boxText(c.box), c.typed);
        }
    }
}

TEST_F(SchedulePresenterTest, LoadShowsAnIdlePanelAndTheOptionsSwitchTheBoxes)
{
    EXPECT_TRUE(view.clockBoxesEnabled);
    EXPECT_FALSE(view.countdownBoxEnabled);
    EXPECT_FALSE(view.programBoxEnabled);
    EXPECT_EQ(view.programText, "请在列表中选择!");
    EXPECT_FALSE(view.running);
    EXPECT_FALSE(view.minuteTimerRunning);
    EXPECT_EQ(view.currentTimes, std::vector<std::string>{"当前时间:16:49:53"});

    schedule.chooseMode(ScheduleMode::Countdown);
    EXPECT_FALSE(view.clockBoxesEnabled);
    EXPECT_TRUE(view.countdownBoxEnabled);
    schedule.chooseMode(ScheduleMode::ClockTime);
    EXPECT_TRUE(view.clockBoxesEnabled);
    EXPECT_FALSE(view.countdownBoxEnabled);

    schedule.chooseAction(ScheduleAction::RunProgram);
    EXPECT_TRUE(view.programBoxEnabled);
    schedule.itemChosen("● 记事本");
    EXPECT_EQ(view.programText, "记事本");
    schedule.chooseAction(ScheduleAction::PowerOff);
    EXPECT_FALSE(view.programBoxEnabled);
    EXPECT_EQ(view.programText, "记事本");  // the text stays
    EXPECT_EQ(schedule.action(), ScheduleAction::PowerOff);
}

TEST_F(SchedulePresenterTest, TheCurrentTimeReachesTheViewOnlyWhenItsTextChanges)
{
    const LocalTime morning = LocalTime::at(2026, 12, 12, 9, 5, 7);
    schedule.showTime(morning);
    schedule.showTime(morning);
    schedule.showTime(LocalTime::at(2026, 12, 13, 9, 5, 7));  // another day, the same text
    schedule.showTime(LocalTime::at(2026, 12, 13, 9, 5, 8));
    EXPECT_EQ(view.currentTimes,
              (std::vector<std::string>{"当前时间:16:49:53", "当前时间:09:05:07", "当前时间:09:05:08"}));
}

TEST_F(SchedulePresenterTest, AnIncompleteClockTimeIsRefused)
{
    struct Case {
        const char* hour;
        const char* minute;
    };
    for (const Case& c : {Case{"", ""}, Case{"12", ""}, Case{"", "30"}}) {
        SCOPED_TRACE(std::string(c.hour) + ":" + c.minute);
        fakes.messages.shown.clear();
        type(TimeBox::Hour, c.hour);
        type(TimeBox::Minute, c.minute);
        schedule.startOrStop();
        EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBoxes::Shown>{{kTitle, kIncomplete}}));
        EXPECT_FALSE(schedule.running());
        EXPECT_FALSE(view.running);
        EXPECT_FALSE(view.minuteTimerRunning);
    }
}

TEST_F(SchedulePresenterTest, TheChecksAtStartEachRunWhetherOrNotAnEarlierOneActed)
{
    // Time incomplete and no program chosen: both notices from one start.
    schedule.chooseAction(ScheduleAction::RunProgram);
    schedule.startOrStop();
    EXPECT_EQ(messages(), (std::vector<std::string>{kIncomplete, kNoProgram}));
    EXPECT_FALSE(schedule.running());

    // A countdown out of range and no program: both again.
    fakes.messages.shown.clear();
    setCountdown("0");
    schedule.startOrStop();
    EXPECT_EQ(messages(), (std::vector<std::string>{"范围：[1,360]", kNoProgram}));
    EXPECT_FALSE(schedule.running());

    // The time passes, the program check still refuses: the panel is left idle.
    fakes.messages.shown.clear();
    type(TimeBox::Minutes, "5");
    schedule.startOrStop();
    EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBoxes::Shown>{{kTitle, kNoProgram}}));
    EXPECT_FALSE(schedule.running());
    EXPECT_FALSE(view.running);
    EXPECT_FALSE(view.minuteTimerRunning);
}

TEST_F(SchedulePresenterTest, ACountdownMustLieInOneToThreeHundredSixtyMinutes)
{
    struct Case {
        const char* minutes;
        const char* notice;  // nullptr when the schedule starts
        const char* boxAfter;
    };
    const Case cases[] = {
        {"", kIncomplete, ""},
        {"0", "范围：[1,360]", "1"},
        {"361", "范围：[1,360]", "1"},
        {"99999999999", "范围：[1,360]", "1"},
        {"1", nullptr, "1"},
        {"360", nullptr, "360"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minutes);
        fakes.messages.shown.clear();
        setCountdown(c.minutes);
        schedule.startOrStop();
        EXPECT_EQ(view.boxText(TimeBox::Minutes), c.boxAfter);
        if (c.notice) {
            EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBoxes::Shown>{{kTitle, c.notice}}));
            EXPECT_FALSE(schedule.running());
            EXPECT_FALSE(view.minuteTimerRunning);
        } else {
            EXPECT_TRUE(fakes.messages.shown.empty());
            EXPECT_TRUE(schedule.running());
            EXPECT_TRUE(view.minuteTimerRunning);
            schedule.startOrStop();
            EXPECT_FALSE(schedule.running());
        }
    }
}

TEST_F(SchedulePresenterTest, ARunningScheduleLocksThePanelAndStopFreesIt)
{
    schedule.chooseAction(ScheduleAction::RunProgram);
    schedule.itemChosen("● 记事本");
    setCountdown("5");
    schedule.startOrStop();
    ASSERT_TRUE(schedule.running());
    EXPECT_TRUE(view.running);
    EXPECT_TRUE(view.minuteTimerRunning);

    // A list entry chosen while running leaves the program alone.
    schedule.itemChosen("● 计算器");
    EXPECT_EQ(view.programText, "记事本");

    schedule.startOrStop();
    EXPECT_FALSE(schedule.running());
    EXPECT_FALSE(view.running);
    EXPECT_FALSE(view.minuteTimerRunning);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(dues, 0);
    EXPECT_TRUE(fakes.shell.opened.empty());

    // Started again, it runs the program chosen before.
    type(TimeBox::Minutes, "1");
    schedule.startOrStop();
    schedule.minuteTick();
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    EXPECT_EQ(fakes.links.saved[0].fields.target, "/usr/bin/gedit");
}

TEST_F(SchedulePresenterTest, AListEntryNamesTheProgramOnlyForTheRunProgramAction)
{
    schedule.itemChosen("● 记事本");
    EXPECT_EQ(view.programText, "请在列表中选择!");

    schedule.chooseAction(ScheduleAction::RunProgram);
    setCountdown("1");
    schedule.startOrStop();
    EXPECT_EQ(messages(), std::vector<std::string>{kNoProgram});
    EXPECT_FALSE(schedule.running());

    // An empty entry names the empty program: the one chosen before is gone.
    schedule.itemChosen("● 记事本");
    schedule.itemChosen("");
    EXPECT_EQ(view.programText, "");
    schedule.startOrStop();
    EXPECT_TRUE(schedule.running());
    schedule.minuteTick();
    EXPECT_TRUE(fakes.shell.opened.empty());
    EXPECT_EQ(messages().back(), "设置有误，启动失败！！！");
}

TEST_F(SchedulePresenterTest, ATypedProgramNameIsRunAsAListEntryWouldBe)
{
    schedule.chooseAction(ScheduleAction::RunProgram);
    schedule.programEdited("计算器");
    setCountdown("1");
    schedule.startOrStop();
    ASSERT_TRUE(schedule.running());
    schedule.minuteTick();
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    EXPECT_EQ(fakes.links.saved[0].fields.target, "/usr/bin/galculator");
    EXPECT_EQ(fakes.links.saved[0].fields.name, "计算器");
}

TEST_F(SchedulePresenterTest, ACountdownShowsTheMinutesGoingDownAndIsDueAtZero)
{
    setCountdown("3");
    schedule.startOrStop();
    schedule.minuteTick();
    EXPECT_EQ(view.boxText(TimeBox::Minutes), "2");
    schedule.minuteTick();
    EXPECT_EQ(view.boxText(TimeBox::Minutes), "1");
    EXPECT_EQ(dues, 0);
    EXPECT_TRUE(schedule.running());
    schedule.minuteTick();
    EXPECT_EQ(view.boxText(TimeBox::Minutes), "0");
    EXPECT_EQ(dues, 1);
    EXPECT_FALSE(schedule.running());
    EXPECT_FALSE(view.running);  // the panel is free while the notice is up
    EXPECT_FALSE(view.minuteTimerRunning);
}

TEST_F(SchedulePresenterTest, TheScheduleStopsBeforeTheNoticeIsAskedFor)
{
    bool runningWhenDue = true;
    bool panelLockedWhenDue = true;
    bool timerRunningWhenDue = true;
    schedule.onDue = [&] {
        ++dues;
        runningWhenDue = schedule.running();
        panelLockedWhenDue = view.running;
        timerRunningWhenDue = view.minuteTimerRunning;
    };
    fireAfterOneMinute(ScheduleAction::PowerOff);
    EXPECT_EQ(dues, 1);
    EXPECT_FALSE(runningWhenDue);
    EXPECT_FALSE(panelLockedWhenDue);
    EXPECT_FALSE(timerRunningWhenDue);
}

TEST_F(SchedulePresenterTest, AClockTimeIsDueInItsMinuteAcrossMidnight)
{
    type(TimeBox::Hour, "0");
    type(TimeBox::Minute, "0");
    setClock(23, 58, 30);
    schedule.startOrStop();
    tickAt(23, 59, 30);
    EXPECT_TRUE(schedule.running());
    EXPECT_EQ(dues, 0);
    tickAt(0, 0, 30);
    EXPECT_FALSE(schedule.running());
    EXPECT_EQ(dues, 1);
}

TEST_F(SchedulePresenterTest, StartedInsideTheSetMinuteItWaitsForTheNextDay)
{
    type(TimeBox::Hour, "12");
    type(TimeBox::Minute, "0");
    setClock(12, 0, 10);
    schedule.startOrStop();
    EXPECT_EQ(dues, 0);  // the start itself does not check the time
    for (int minute = 1; minute < 60; ++minute)
        tickAt(12, minute, 10);
    tickAt(23, 59, 10);
    EXPECT_TRUE(schedule.running());
    EXPECT_EQ(dues, 0);
    tickAt(12, 0, 10);
    EXPECT_FALSE(schedule.running());
    EXPECT_EQ(dues, 1);
}

TEST_F(SchedulePresenterTest, RunProgramStartsTheItemOrSaysItIsGone)
{
    schedule.chooseAction(ScheduleAction::RunProgram);
    schedule.itemChosen("● 记事本");
    fireAfterOneMinute(ScheduleAction::RunProgram);
    const std::string shortcut = folder.path() + "/Ombrel.desktop";
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    EXPECT_EQ(fakes.links.saved[0].file, shortcut);
    EXPECT_EQ(fakes.links.saved[0].fields.target, "/usr/bin/gedit");
    EXPECT_EQ(fakes.links.saved[0].fields.hotkey, "ALT+CTRL+R");
    EXPECT_EQ(fakes.shell.opened, std::vector<std::string>{shortcut});
    EXPECT_EQ(dues, 0);  // no notice for a program
    EXPECT_FALSE(schedule.running());
    EXPECT_TRUE(messages().empty());

    fakes.files.existing.clear();
    fireAfterOneMinute(ScheduleAction::RunProgram);
    EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBoxes::Shown>{{kTitle, "设置有误，启动失败！！！"}}));
    EXPECT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(dues, 0);
    EXPECT_FALSE(schedule.running());
    EXPECT_FALSE(view.minuteTimerRunning);
}

}  // namespace
