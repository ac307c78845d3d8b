#include "core/scheduler/DueNoticePresenter.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Keeps what the presenter shows, as the notice window would.
struct FakeDueNoticeView final : DueNoticeView {
    void showAlarmButtons(bool alarm) override { alarmButtons = alarm; }
    void setMessage(const std::string& text) override { message = text; }
    void setMessageColour(unsigned bgr) override { colour = bgr; }
    void setCountdownRunning(bool running) override { countdownRunning = running; }
    void setFlashing(bool isFlashing) override { flashing = isFlashing; }
    void hide() override { ++hides; }

    std::optional<bool> alarmButtons;  // nothing until told
    std::string message;
    std::optional<unsigned> colour;
    bool countdownRunning = false;
    bool flashing = false;
    int hides = 0;
};

constexpr unsigned kRed = 0x0000FF;
constexpr unsigned kCyan = 0xFFFF00;

class DueNoticePresenterTest : public ::testing::Test {
protected:
    // The action chosen in the timer panel, read by the notice whenever it asks.
    ScheduleAction chosenAction()
    {
        ++reads;
        return chosen;
    }
    void loadWith(ScheduleAction action)
    {
        chosen = action;
        notice.load();
    }

    TempFolder folder;
    FakeServices fakes{folder.path()};
    FakeDueNoticeView view;
    ScheduleAction chosen = ScheduleAction::Alarm;
    int reads = 0;
    DueNoticePresenter notice{view, fakes.services, [this] { return chosenAction(); }};
};

TEST_F(DueNoticePresenterTest, TheAlarmRingsAndFlashesRedAndCyan)
{
    loadWith(ScheduleAction::Alarm);
    EXPECT_EQ(view.alarmButtons, true);
    EXPECT_EQ(view.message, "时间到!!!");
    EXPECT_TRUE(view.flashing);
    EXPECT_FALSE(view.countdownRunning);
    EXPECT_EQ(view.colour, kRed);
    EXPECT_EQ(notice.messageColour(), kRed);

    notice.flashTick();
    EXPECT_EQ(view.colour, kCyan);
    EXPECT_EQ(notice.messageColour(), kCyan);
    notice.flashTick();
    EXPECT_EQ(view.colour, kRed);
    const std::string ring = folder.path() + "/Ring.wav";
    EXPECT_EQ(fakes.sound.rings, (std::vector<std::string>{ring, ring}));
    EXPECT_EQ(view.message, "时间到!!!");
    EXPECT_TRUE(fakes.power.requests.empty());
    EXPECT_EQ(view.hides, 0);
}

// An installed copy keeps its profile in a per-user folder; the ring shipped
// beside the executable plays, or failing that one beside the profile, or
// the desktop's alarm sound (for which the sound service gets the missing
// shipped file).
TEST_F(DueNoticePresenterTest, TheRingIsTheOneBesideTheExecutableThenTheOneBesideTheProfile)
{
    fakes.appFolder.program = "/opt/ombrel";
    const std::string shipped = "/opt/ombrel/Ring.wav";
    const std::string besideProfile = folder.path() + "/Ring.wav";
    const struct {
        std::vector<std::string> present;
        std::string played;
    } cases[] = {
        {{shipped, besideProfile}, shipped},
        {{besideProfile}, besideProfile},
        {{}, shipped},
    };
    loadWith(ScheduleAction::Alarm);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.played);
        fakes.files.existing = c.present;
        notice.flashTick();
        EXPECT_EQ(fakes.sound.rings.back(), c.played);
    }
}

TEST_F(DueNoticePresenterTest, APowerActionCountsTenSecondsDownAndThenRuns)
{
    struct Case {
        ScheduleAction chosen;
        PowerAction requested;
    };
    const Case cases[] = {
        {ScheduleAction::PowerOff, PowerAction::PowerOff},
        {ScheduleAction::Reboot, PowerAction::Reboot},
        {ScheduleAction::LogOff, PowerAction::LogOff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.chosen));
        fakes.power.requests.clear();
        view = {};
        loadWith(c.chosen);
        EXPECT_EQ(view.alarmButtons, false);
        EXPECT_EQ(view.message, "10");
        EXPECT_TRUE(view.countdownRunning);
        EXPECT_FALSE(view.flashing);
        EXPECT_EQ(view.colour, kRed);
        EXPECT_EQ(notice.secondsLeft(), 10);

        for (int second = 9; second >= 1; --second) {
            notice.countdownTick();
            EXPECT_EQ(view.message, std::to_string(second));
        }
        EXPECT_TRUE(fakes.power.requests.empty());
        EXPECT_TRUE(view.countdownRunning);
        EXPECT_EQ(view.hides, 0);

        notice.countdownTick();
        EXPECT_EQ(view.message, "0");
        EXPECT_EQ(fakes.power.requests, std::vector<PowerAction>{c.requested});
        EXPECT_FALSE(view.countdownRunning);
        EXPECT_EQ(view.hides, 1);
        EXPECT_TRUE(fakes.messages.shown.empty());
        EXPECT_TRUE(fakes.sound.rings.empty());
    }
}

TEST_F(DueNoticePresenterTest, TheActionIsReadAgainWhenItRuns)
{
    struct Case {
        ScheduleAction changedTo;
        std::vector<PowerAction> requested;
    };
    const Case cases[] = {
        {ScheduleAction::Reboot, {PowerAction::Reboot}},
        {ScheduleAction::PowerOff, {PowerAction::PowerOff}},
        // Not a power action by then (the panel gone reads as the alarm): nothing runs.
        {ScheduleAction::Alarm, {}},
        {ScheduleAction::RunProgram, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.changedTo));
        fakes.power.requests.clear();
        view = {};
        reads = 0;
        loadWith(ScheduleAction::PowerOff);
        EXPECT_EQ(reads, 1);
        chosen = c.changedTo;  // changed in the panel during the countdown
        for (int tick = 0; tick < 10; ++tick)
            notice.countdownTick();
        EXPECT_EQ(reads, 2);
        EXPECT_EQ(fakes.power.requests, c.requested);
        EXPECT_EQ(view.hides, 1);
        EXPECT_FALSE(view.countdownRunning);
    }
}

TEST_F(DueNoticePresenterTest, ExecuteNowRunsAtOnceAndAFailureIsToldWithTheAction)
{
    struct Case {
        ScheduleAction chosen;
        const char* told;
    };
    const Case cases[] = {
        {ScheduleAction::PowerOff, "关机失败：没有会话管理器"},
        {ScheduleAction::Reboot, "重启失败：没有会话管理器"},
        {ScheduleAction::LogOff, "注销失败：没有会话管理器"},
    };
    fakes.power.nextResult = Result::failure("没有会话管理器");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        fakes.messages.shown.clear();
        fakes.power.requests.clear();
        view = {};
        loadWith(c.chosen);
        notice.countdownTick();
        notice.countdownTick();
        notice.countdownTick();
        notice.executeNow();
        EXPECT_EQ(fakes.power.requests.size(), 1u);
        EXPECT_EQ(view.message, "7");  // the count stops where it was
        EXPECT_FALSE(view.countdownRunning);
        EXPECT_EQ(view.hides, 1);
        EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBoxes::Shown>{{"提示", c.told}}));
    }
}

TEST_F(DueNoticePresenterTest, ASuccessfulActionTellsNothing)
{
    loadWith(ScheduleAction::Reboot);
    notice.executeNow();
    EXPECT_EQ(fakes.power.requests, std::vector<PowerAction>{PowerAction::Reboot});
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(DueNoticePresenterTest, LoadingAgainStartsTheCountAtTenInRed)
{
    loadWith(ScheduleAction::Alarm);
    notice.flashTick();
    ASSERT_EQ(view.colour, kCyan);
    loadWith(ScheduleAction::LogOff);
    EXPECT_EQ(view.colour, kRed);
    notice.countdownTick();
    notice.countdownTick();
    loadWith(ScheduleAction::LogOff);
    EXPECT_EQ(view.message, "10");
    EXPECT_EQ(notice.secondsLeft(), 10);
}

}  // namespace
