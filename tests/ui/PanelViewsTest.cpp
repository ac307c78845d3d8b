#include "FakePlatform.h"
#include "MouseEvents.h"

#include "platform/qt/QtText.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/SearchPanel.h"
#include "ui/qt/TimerPanel.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The panels' controls in a shown main window, each panel slid in before use.
class PanelViewsTest : public ::testing::Test {
protected:
    PanelViewsTest()
    {
        folder.writeProfile("[标题]\nCount=3\n000=● QQ\n001=● QQ音乐\n002=● 记事本\n"
                            "[● 记事本]\nFilename=/usr/bin/gedit\n");
        fakes.core.files.existing = {"/usr/bin/gedit"};
        made = std::make_unique<MainWindow>(fakes.platform, state);
        made->show();
    }

    MainWindow& window() { return *made; }

    TimerPanel& timer()
    {
        window().frame().presenter().showPanel(Panel::Timer);
        return window().timerPanel();
    }
    SearchPanel& search()
    {
        window().frame().presenter().showPanel(Panel::Search);
        return window().searchPanel();
    }
    QLineEdit* box(TimeBox which) { return timer().box(which); }
    QString currentEntry()
    {
        const QListWidgetItem* item = window().launcherList().list()->currentItem();
        return item ? item->text() : QString();
    }
    std::vector<std::string> messages() const { return fakes.core.messages.texts(); }
    static void type(QLineEdit* box, const char* keys) { QTest::keyClicks(box, QString::fromUtf8(keys)); }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    MainWindowState state;
    std::unique_ptr<MainWindow> made;  // after the profile is written: making it loads the list
};

TEST_F(PanelViewsTest, TimeBoxesTakeDigitsOnlyAndCheckTheirRangeAsTyped)
{
    type(box(TimeBox::Hour), "2a-.4");
    EXPECT_EQ(messages(), std::vector<std::string>{"范围：[0,23]"});
    EXPECT_EQ(fakes.core.messages.shown.back().title, "提示");
    EXPECT_EQ(box(TimeBox::Hour)->text(), "");
    type(box(TimeBox::Hour), "23");
    EXPECT_EQ(box(TimeBox::Hour)->text(), "23");
    QTest::keyClick(box(TimeBox::Hour), Qt::Key_Backspace);
    EXPECT_EQ(box(TimeBox::Hour)->text(), "2");

    type(box(TimeBox::Minute), "60");
    EXPECT_EQ(messages().back(), "范围：[0,59]");
    EXPECT_EQ(box(TimeBox::Minute)->text(), "");
    type(box(TimeBox::Minute), "059");
    EXPECT_EQ(box(TimeBox::Minute)->text(), "059");
    EXPECT_EQ(messages().size(), 2u);

    // The countdown box takes digits alike; its range is checked at start.
    timer().modeOption(ScheduleMode::Countdown)->click();
    type(box(TimeBox::Minutes), "4x00 ");
    EXPECT_EQ(box(TimeBox::Minutes)->text(), "400");
    EXPECT_EQ(messages().size(), 2u);
    // Keys that move or delete pass.
    QTest::keyClick(box(TimeBox::Minutes), Qt::Key_Home);
    QTest::keyClick(box(TimeBox::Minutes), Qt::Key_Delete);
    EXPECT_EQ(box(TimeBox::Minutes)->text(), "00");
}

// Paste, drag and drop and an input method's commit get no letters in
// either; the input method is off in these boxes.
TEST_F(PanelViewsTest, TimeBoxesRefuseNonDigitsByEveryWayIn)
{
    QLineEdit* hour = box(TimeBox::Hour);
    for (QLineEdit* timeBox : {hour, box(TimeBox::Minute), box(TimeBox::Minutes)}) {
        EXPECT_FALSE(timeBox->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_TRUE(timeBox->inputMethodHints() & Qt::ImhDigitsOnly);
    }
    hour->setFocus();
    for (const char* text : {"十二", "1a", " 7", "-1", "１２"}) {
        SCOPED_TRACE(text);
        hour->clear();
        hour->insert(QString::fromUtf8(text));  // what paste and drop do
        EXPECT_EQ(hour->text(), "");
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(text));
        QCoreApplication::sendEvent(hour, &commit);
        EXPECT_EQ(hour->text(), "");
    }
    hour->insert(QStringLiteral("12"));
    EXPECT_EQ(hour->text(), "12");
    EXPECT_TRUE(messages().empty());
}

TEST_F(PanelViewsTest, TheMinuteTimerIsPreciseSoAClockTimeNeverFiresADayLate)
{
    EXPECT_EQ(timer().minuteTimer()->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(timer().minuteTimer()->interval(), 60'000);
}

TEST_F(PanelViewsTest, OptionsSwitchTheBoxesOnAndOff)
{
    EXPECT_TRUE(box(TimeBox::Hour)->isEnabled());
    EXPECT_TRUE(box(TimeBox::Minute)->isEnabled());
    EXPECT_FALSE(box(TimeBox::Minutes)->isEnabled());
    EXPECT_FALSE(timer().programBox()->isEnabled());

    timer().modeOption(ScheduleMode::Countdown)->click();
    EXPECT_FALSE(box(TimeBox::Hour)->isEnabled());
    EXPECT_FALSE(box(TimeBox::Minute)->isEnabled());
    EXPECT_TRUE(box(TimeBox::Minutes)->isEnabled());
    timer().modeOption(ScheduleMode::ClockTime)->click();
    EXPECT_TRUE(box(TimeBox::Hour)->isEnabled());
    EXPECT_FALSE(box(TimeBox::Minutes)->isEnabled());

    timer().actionOption(ScheduleAction::RunProgram)->click();
    EXPECT_TRUE(timer().programBox()->isEnabled());
    EXPECT_EQ(window().scheduleAction(), ScheduleAction::RunProgram);
    window().launcherList().list()->setCurrentRow(2);
    EXPECT_EQ(timer().programBox()->text(), "记事本");
    const ScheduleAction others[] = {ScheduleAction::Alarm, ScheduleAction::PowerOff, ScheduleAction::LogOff,
                                     ScheduleAction::Reboot};
    for (ScheduleAction action : others) {
        timer().actionOption(action)->click();
        EXPECT_EQ(window().scheduleAction(), action);
        EXPECT_FALSE(timer().programBox()->isEnabled());
    }
    EXPECT_EQ(timer().programBox()->text(), "记事本");  // the text stays
}

TEST_F(PanelViewsTest, ARunningScheduleLocksThePanelAndStopFreesIt)
{
    timer().actionOption(ScheduleAction::RunProgram)->click();
    window().launcherList().list()->setCurrentRow(2);
    timer().modeOption(ScheduleMode::Countdown)->click();
    box(TimeBox::Minutes)->setText("5");
    timer().startButton()->click();
    ASSERT_EQ(timer().startButton()->text(), "停止");
    EXPECT_TRUE(timer().minuteTimer()->isActive());
    EXPECT_EQ(timer().minuteTimer()->interval(), 60'000);
    for (ScheduleMode mode : {ScheduleMode::ClockTime, ScheduleMode::Countdown})
        EXPECT_FALSE(timer().modeOption(mode)->isEnabled());
    for (ScheduleAction action : {ScheduleAction::Alarm, ScheduleAction::PowerOff, ScheduleAction::LogOff,
                                  ScheduleAction::Reboot, ScheduleAction::RunProgram})
        EXPECT_FALSE(timer().actionOption(action)->isEnabled());
    for (TimeBox which : {TimeBox::Hour, TimeBox::Minute, TimeBox::Minutes})
        EXPECT_TRUE(box(which)->isReadOnly());
    EXPECT_TRUE(timer().programBox()->isReadOnly());
    // Locked, yet the boxes still show their text.
    EXPECT_EQ(box(TimeBox::Minutes)->text(), "5");
    EXPECT_EQ(timer().programBox()->text(), "记事本");

    timer().startButton()->click();
    EXPECT_EQ(timer().startButton()->text(), "开始");
    EXPECT_FALSE(timer().minuteTimer()->isActive());
    EXPECT_TRUE(timer().modeOption(ScheduleMode::ClockTime)->isEnabled());
    EXPECT_TRUE(timer().actionOption(ScheduleAction::Alarm)->isEnabled());
    EXPECT_FALSE(box(TimeBox::Minutes)->isReadOnly());
    EXPECT_FALSE(timer().programBox()->isReadOnly());
}

TEST_F(PanelViewsTest, AProgramTypedInTheBoxIsTheOneThatRuns)
{
    timer().actionOption(ScheduleAction::RunProgram)->click();
    fakes.core.files.existing.push_back("/usr/bin/qq");
    folder.writeProfile("[标题]\nCount=1\n000=● QQ\n[● QQ]\nFilename=/usr/bin/qq\n");
    timer().programBox()->selectAll();
    type(timer().programBox(), "QQ");
    timer().modeOption(ScheduleMode::Countdown)->click();
    box(TimeBox::Minutes)->setText("1");
    timer().startButton()->click();
    timer().presenter().minuteTick();
    ASSERT_EQ(fakes.core.links.saved.size(), 1u);
    EXPECT_EQ(fakes.core.links.saved[0].fields.target, "/usr/bin/qq");
}

TEST_F(PanelViewsTest, EnterInTheBoxAndTheButtonSearchWithTheChosenOptions)
{
    search().searchButton()->click();
    EXPECT_EQ(messages(), std::vector<std::string>{"请输入要搜索的内容！"});
    EXPECT_TRUE(fakes.core.shell.urls.empty());

    search().queryBox()->setText("   ");
    search().searchButton()->click();
    search().categoryOption(SearchCategory::Questions)->setChecked(true);
    search().queryBox()->setText("中文 a&b#c%");
    QTest::keyClick(search().queryBox(), Qt::Key_Return);
    search().engineOption(SearchEngine::Google)->setChecked(true);
    search().searchButton()->click();
    EXPECT_EQ(fakes.core.shell.urls,
              (std::vector<std::string>{
                  "http://www.baidu.com/s?wd=   ",
                  "http://zhidao.baidu.com/q?word= 中文 a&b#c%&fr=search&ct=17&pn=0&tn=ikaslist&rn=30",
                  "http://www.google.cn/search?hl=zh-CN&q=中文 a&b#c%"}));
    // The query and the panel stay for the next search.
    EXPECT_EQ(search().queryBox()->text(), "中文 a&b#c%");
    EXPECT_EQ(window().frame().presenter().panels().topmost(), int(Panel::Search));
}

TEST_F(PanelViewsTest, ADoubleClickInTheBoxFindsTheQueryInTheList)
{
    search().queryBox()->setText("QQ");
    mouse::doubleClick(search().queryBox(), {5, 5});
    EXPECT_EQ(currentEntry(), "● QQ");
    mouse::doubleClick(search().queryBox(), {5, 5});
    EXPECT_EQ(currentEntry(), "● QQ音乐");
    EXPECT_TRUE(messages().empty());
    // The right button does not find.
    mouse::send(search().queryBox(), QEvent::MouseButtonDblClick, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(currentEntry(), "● QQ音乐");
    EXPECT_TRUE(fakes.core.shell.urls.empty());
}

}  // namespace
