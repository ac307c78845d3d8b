#include "Fakes.h"
#include "MouseEvents.h"

#include "app/Form2.h"
#include "app/MouseLabel.h"
#include "scheduler/Form4.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SchedulerFormTest : public ::testing::Test {
protected:
    SchedulerFormTest()
    {
        folder.writeProfile("[标题]\nCount=1\n000=● 记事本\n[● 记事本]\nFilename=/usr/bin/gedit\n");
        fakes.files.existing << "/usr/bin/gedit";
    }
    ~SchedulerFormTest() override
    {
        form2.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Form2& window()
    {
        if (!form2) {
            form2 = std::make_unique<Form2>(fakes.platform, memory);
            form2->show();
            form2->ShowPanel(3);
        }
        return *form2;
    }
    TimerPanel& panel() { return window().timerPanel(); }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& shown : fakes.messages.shown)
            texts << shown.text;
        return texts;
    }
    bool running() { return panel().Command3->text() == "停止"; }
    void type(QLineEdit* box, const char* keys) { QTest::keyClicks(box, QString::fromUtf8(keys)); }
    void setClock(int h, int m, int s) { fakes.clock.time = LocalTime::at(2026, 12, 8, h, m, s); }
    Form4* notice() { return memory.notices.form4(); }
    // Sets a one-minute countdown with the given action and lets it run out.
    void fireAfterOneMinute(QRadioButton* action)
    {
        action->click();
        panel().Option2->click();
        panel().Text6->setText("1");
        panel().Command3->click();
        window().Timer3_Timer();
    }
    // The minute timer's tick as the clock reaches h:m:s.
    void tickAt(int h, int m, int s)
    {
        setClock(h, m, s);
        window().Timer3_Timer();
    }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    Form2Memory memory;
    std::unique_ptr<Form2> form2;
};

TEST_F(SchedulerFormTest, TimeBoxesTakeDigitsOnlyAndCheckTheirRangeAsTyped)
{
    type(panel().Text4, "2a-.4");
    EXPECT_EQ(messages(), QStringList({"范围：[0,23]"}));
    EXPECT_EQ(panel().Text4->text(), "");
    type(panel().Text4, "23");
    EXPECT_EQ(panel().Text4->text(), "23");
    QTest::keyClick(panel().Text4, Qt::Key_Backspace);
    EXPECT_EQ(panel().Text4->text(), "2");

    type(panel().Text5, "60");
    EXPECT_EQ(messages().last(), "范围：[0,59]");
    type(panel().Text5, "059");
    EXPECT_EQ(panel().Text5->text(), "059");
    EXPECT_EQ(messages().size(), 2);
}

TEST_F(SchedulerFormTest, OptionsSwitchTheBoxesOnAndOff)
{
    EXPECT_TRUE(panel().Text4->isEnabled());
    EXPECT_FALSE(panel().Text6->isEnabled());
    EXPECT_FALSE(panel().Text7->isEnabled());
    EXPECT_EQ(panel().Text7->text(), "请在列表中选择!");
    panel().Option2->click();
    EXPECT_FALSE(panel().Text4->isEnabled());
    EXPECT_TRUE(panel().Text6->isEnabled());
    panel().Option7->click();
    EXPECT_TRUE(panel().Text7->isEnabled());
    window().List1->setCurrentRow(0);
    panel().Option3->click();
    EXPECT_FALSE(panel().Text7->isEnabled());
    EXPECT_EQ(panel().Text7->text(), "记事本");  // the text stays
}

TEST_F(SchedulerFormTest, StartChecksTheTimeTheRangeAndTheProgramInThatOrder)
{
    panel().Command3->click();
    EXPECT_EQ(messages(), QStringList({"请把时间填写完整!"}));
    EXPECT_FALSE(running());

    // Time incomplete and no program chosen: both notices from one click.
    panel().Option7->click();
    panel().Command3->click();
    EXPECT_EQ(messages().mid(1), QStringList({"请把时间填写完整!", "请在列表中选择应用程序!"}));

    panel().Option2->click();
    panel().Option5->click();
    for (const char* wrong : {"0", "361"}) {
        panel().Text6->setText(QString::fromLatin1(wrong));
        panel().Command3->click();
        EXPECT_EQ(messages().last(), "范围：[1,360]");
        EXPECT_EQ(panel().Text6->text(), "1");
        EXPECT_FALSE(running());
    }
    panel().Text6->setText("360");
    panel().Command3->click();
    EXPECT_TRUE(running());
}

TEST_F(SchedulerFormTest, ARunningScheduleLocksThePanelAndStopRestoresIt)
{
    panel().Option7->click();
    window().List1->setCurrentRow(0);
    panel().Option2->click();
    panel().Text6->setText("5");
    panel().Command3->click();
    ASSERT_TRUE(running());
    EXPECT_TRUE(window().Timer3->isActive());
    EXPECT_EQ(window().Timer3->interval(), 60'000);
    EXPECT_FALSE(panel().Option1->isEnabled());
    EXPECT_TRUE(panel().Text6->isReadOnly());
    EXPECT_TRUE(panel().Text7->isReadOnly());

    window().List1->clearSelection();
    window().List1->setCurrentRow(0);  // a list click while running leaves the item alone
    panel().Text7->setText("记事本");
    panel().Command3->click();
    EXPECT_FALSE(running());
    EXPECT_FALSE(window().Timer3->isActive());
    EXPECT_TRUE(panel().Option1->isEnabled());
    EXPECT_FALSE(panel().Text6->isReadOnly());
}

TEST_F(SchedulerFormTest, ACountdownShowsTheMinutesGoingDownAndFiresAtZero)
{
    panel().Option2->click();
    panel().Text6->setText("3");
    panel().Command3->click();
    window().Timer3_Timer();
    EXPECT_EQ(panel().Text6->text(), "2");
    window().Timer3_Timer();
    EXPECT_EQ(panel().Text6->text(), "1");
    EXPECT_EQ(notice(), nullptr);
    window().Timer3_Timer();
    EXPECT_EQ(panel().Text6->text(), "0");
    EXPECT_FALSE(running());
    EXPECT_FALSE(window().Timer3->isActive());
    ASSERT_NE(notice(), nullptr);
    EXPECT_TRUE(notice()->isVisible());
    EXPECT_TRUE(panel().Option3->isEnabled());  // the panel is free while the notice is up
}

TEST_F(SchedulerFormTest, AClockTimeFiresInItsMinuteAndAStartInsideThatMinuteWaitsADay)
{
    type(panel().Text4, "0");
    type(panel().Text5, "0");
    setClock(23, 58, 30);
    panel().Command3->click();
    tickAt(23, 59, 30);
    EXPECT_TRUE(running());
    tickAt(0, 0, 30);
    EXPECT_FALSE(running());
    EXPECT_NE(notice(), nullptr);
}

TEST_F(SchedulerFormTest, StartedInsideTheSetMinuteItWaitsForTheNextDay)
{
    panel().Text4->setText("12");
    panel().Text5->setText("0");
    setClock(12, 0, 10);
    panel().Command3->click();
    for (int minute = 1; minute < 60; ++minute)
        tickAt(12, minute, 10);
    tickAt(23, 59, 10);
    EXPECT_TRUE(running());
    tickAt(12, 0, 10);
    EXPECT_FALSE(running());
}

TEST_F(SchedulerFormTest, RunProgramStartsTheItemAndKeepsTheWindowOrSaysItIsGone)
{
    QSignalSpy closing(&window(), &Form2::hideRequested);
    panel().Option7->click();
    window().List1->setCurrentRow(0);
    panel().Option2->click();
    panel().Text6->setText("1");
    panel().Command3->click();
    window().Timer3_Timer();
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    EXPECT_EQ(fakes.links.saved[0].file, folder.path() + "/Ombrel.desktop");
    EXPECT_EQ(fakes.links.saved[0].fields.target, "/usr/bin/gedit");
    EXPECT_EQ(fakes.links.saved[0].fields.hotkey, "ALT+CTRL+R");
    EXPECT_EQ(fakes.shell.opened, QStringList({folder.path() + "/Ombrel.desktop"}));
    EXPECT_EQ(closing.count(), 0);
    EXPECT_EQ(notice(), nullptr);

    fakes.files.existing.clear();
    panel().Text6->setText("1");
    panel().Command3->click();
    window().Timer3_Timer();
    EXPECT_EQ(messages(), QStringList({"设置有误，启动失败！！！"}));
    EXPECT_FALSE(running());
}

TEST_F(SchedulerFormTest, TheAlarmRingsAndFlashesUntilStopped)
{
    fireAfterOneMinute(panel().Option5);
    ASSERT_NE(notice(), nullptr);
    Form4& n = *notice();
    EXPECT_EQ(n.Label1->text(), "时间到!!!");
    EXPECT_TRUE(n.Command1->isVisibleTo(&n));
    EXPECT_FALSE(n.Command4->isVisibleTo(&n));
    EXPECT_FALSE(n.Command3->isVisibleTo(&n));
    EXPECT_TRUE(n.Timer2->isActive());
    EXPECT_EQ(n.Timer2->interval(), 500);
    EXPECT_FALSE(n.Timer1->isActive());

    EXPECT_EQ(n.messageColour(), Form4::kRed);
    n.Timer2_Timer();
    EXPECT_EQ(n.messageColour(), Form4::kCyan);
    n.Timer2_Timer();
    EXPECT_EQ(n.messageColour(), Form4::kRed);
    EXPECT_EQ(fakes.sound.rings, QStringList({folder.path() + "/Ring.wav", folder.path() + "/Ring.wav"}));

    n.Command1->click();
    EXPECT_EQ(notice(), nullptr);
    EXPECT_TRUE(fakes.power.requests.empty());
}

TEST_F(SchedulerFormTest, ThePowerCountdownExecutesWhatThePanelSaysAtTheEnd)
{
    fireAfterOneMinute(panel().Option3);
    ASSERT_NE(notice(), nullptr);
    Form4& n = *notice();
    EXPECT_EQ(n.Label1->text(), "10");
    EXPECT_TRUE(n.Timer1->isActive());
    EXPECT_EQ(n.Timer1->interval(), 1000);
    EXPECT_FALSE(n.Command1->isVisibleTo(&n));

    panel().Option4->click();  // changed during the countdown: the restart is done
    for (int second = 9; second >= 1; --second) {
        n.Timer1_Timer();
        EXPECT_EQ(n.Label1->text(), QString::number(second));
    }
    EXPECT_TRUE(fakes.power.requests.empty());
    n.Timer1_Timer();
    EXPECT_EQ(n.Label1->text(), "0");
    EXPECT_EQ(fakes.power.requests, std::vector<PowerAction>{PowerAction::Reboot});
    EXPECT_FALSE(n.isVisible());
    EXPECT_FALSE(n.Timer1->isActive());

    // Hidden but loaded: the next firing shows it again as it was left.
    panel().Text6->setText("1");
    panel().Command3->click();
    window().Timer3_Timer();
    EXPECT_EQ(notice(), &n);
    EXPECT_TRUE(n.isVisible());
    EXPECT_EQ(n.Label1->text(), "0");
    EXPECT_FALSE(n.Timer1->isActive());
    n.Command3->click();
    EXPECT_EQ(notice(), nullptr);
}

TEST_F(SchedulerFormTest, ExecuteNowRunsAtOnceAndAFailureIsToldWithTheAction)
{
    fireAfterOneMinute(panel().Option6);
    Form4& n = *notice();
    n.Timer1_Timer();
    n.Timer1_Timer();
    n.Timer1_Timer();
    fakes.power.nextResult = PlatformResult::failure("没有会话管理器");
    n.Command4->click();
    EXPECT_EQ(fakes.power.requests, std::vector<PowerAction>{PowerAction::LogOff});
    EXPECT_EQ(n.Label1->text(), "7");
    EXPECT_FALSE(n.Timer1->isActive());
    EXPECT_EQ(messages(), QStringList({"注销失败：没有会话管理器"}));
}

TEST_F(SchedulerFormTest, CancelStartsNothingAndAClosedWindowMeansTheAlarm)
{
    fireAfterOneMinute(panel().Option3);
    notice()->Command3->click();
    EXPECT_EQ(notice(), nullptr);

    fireAfterOneMinute(panel().Option3);
    Form4& n = *notice();
    form2.reset();  // hidden from the tray meanwhile: the choice reads as the alarm
    n.Command4->click();
    EXPECT_TRUE(fakes.power.requests.empty());
    EXPECT_FALSE(n.isVisible());
}

TEST_F(SchedulerFormTest, TheNoticeIsDraggedByItsTitleAndItsBody)
{
    fireAfterOneMinute(panel().Option5);
    Form4& n = *notice();
    const QPoint start = n.pos();
    mouse::press(n.Label4, {10, 5});
    mouse::move(n.Label4, {40, 25}, Qt::LeftButton);
    EXPECT_EQ(n.pos(), start + QPoint(30, 20));
    mouse::press(n.Label6, {10, 10});
    mouse::move(n.Label6, {0, 10}, Qt::LeftButton);
    EXPECT_EQ(n.pos(), start + QPoint(20, 20));
}

TEST_F(SchedulerFormTest, HidingTheWindowLosesAWaitingSchedule)
{
    panel().Option2->click();
    panel().Text6->setText("5");
    panel().Command3->click();
    form2.reset();
    EXPECT_FALSE(running());
    EXPECT_FALSE(window().Timer3->isActive());
    EXPECT_EQ(panel().Text6->text(), "");
}

}  // namespace
