#include "FakePlatform.h"
#include "MouseEvents.h"

#include "core/window/TitleText.h"
#include "platform/qt/QtText.h"
#include "ui/qt/AppSession.h"
#include "ui/qt/DialUpDialog.h"
#include "ui/qt/DueNoticeWindow.h"
#include "ui/qt/MouseLabel.h"
#include "ui/qt/QuickPanel.h"
#include "ui/qt/SearchPanel.h"
#include "ui/qt/TimerPanel.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class AppSessionTest : public ::testing::Test {
protected:
    AppSessionTest() { folder.writeProfile("[标题]\nCount=2\n000=● 画图\n001=● 记事本\n"); }
    ~AppSessionTest() override
    {
        session.reset();
        processDeferredDeletes();
    }

    // Windows the session lets go of are deleted once the event loop runs.
    static void processDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    MainWindow* window() const { return session->mainWindow(); }
    QStringList listOnScreen() const
    {
        QStringList texts;
        const QListWidget* list = window()->launcherList().list();
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    QString currentEntry() const
    {
        const QListWidgetItem* item = window()->launcherList().list()->currentItem();
        return item ? item->text() : QString();
    }
    void hideFromTheButton()
    {
        window()->frame().hideButton()->click();
        processDeferredDeletes();
    }

    TimerPanel& timer()
    {
        window()->frame().presenter().showPanel(Panel::Timer);
        return window()->timerPanel();
    }
    // Sets a one-minute countdown with the given action and lets it run out.
    void fireAfterOneMinute(ScheduleAction action)
    {
        timer().actionOption(action)->click();
        timer().modeOption(ScheduleMode::Countdown)->click();
        timer().box(TimeBox::Minutes)->setText("1");
        timer().startButton()->click();
        timer().presenter().minuteTick();
    }
    DueNoticeWindow* notice() const { return session->dueNotice(); }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    std::unique_ptr<AppSession> session = std::make_unique<AppSession>(fakes.platform);
};

TEST_F(AppSessionTest, StartShowsTheMainWindowThenInstallsTheIconWithTheCountAsLoaded)
{
    session->start();
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(listOnScreen(), (QStringList{"● 画图", "● 记事本"}));
    EXPECT_EQ(fakes.tray.installs, 1);
    // The tip counts the list, so the window was loaded first.
    EXPECT_EQ(fakes.tray.tips, QStringList{toQt(titleText(2))});
    // The tray shows the application's icon, which the session sets.
    EXPECT_EQ(QGuiApplication::windowIcon().availableSizes().size(), 4);
}

TEST_F(AppSessionTest, TheTipKeepsTheCountFromStart)
{
    session->start();
    fakes.core.messages.nextAnswer = true;
    window()->launcherList().list()->setCurrentRow(0);
    window()->launcherList().deleteButton()->click();
    ASSERT_EQ(listOnScreen(), QStringList{"● 记事本"});
    fakes.tray.send(TrayEvent::Show);
    hideFromTheButton();
    fakes.tray.send(TrayEvent::Show);
    EXPECT_EQ(fakes.tray.installs, 1);
    EXPECT_EQ(fakes.tray.tips, QStringList{toQt(titleText(2))});
}

TEST_F(AppSessionTest, ShowingAVisibleWindowDoesNotLoadItAgain)
{
    session->start();
    MainWindow* shown = window();
    folder.writeProfile("[标题]\nCount=1\n000=● changed\n");
    fakes.tray.send(TrayEvent::Show);
    EXPECT_EQ(window(), shown);
    EXPECT_EQ(listOnScreen(), (QStringList{"● 画图", "● 记事本"}));

    // Minimised, it is brought back as it is.
    window()->showMinimized();
    fakes.tray.send(TrayEvent::Show);
    EXPECT_EQ(window(), shown);
    EXPECT_FALSE(window()->isMinimized());
    EXPECT_EQ(listOnScreen(), (QStringList{"● 画图", "● 记事本"}));
}

// A power-off hides the window but keeps it loaded: the tray shows it again
// as it was, its clock still running, without reading the profile again.
TEST_F(AppSessionTest, AWindowHiddenForAPowerOffComesBackFromTheTrayAsItWas)
{
    session->start();
    MainWindow* shown = window();
    fakes.core.messages.nextAnswer = true;
    window()->quickPanel().presenter().powerOffChosen();
    EXPECT_EQ(fakes.core.power.requests, std::vector<PowerAction>{PowerAction::PowerOff});
    ASSERT_EQ(window(), shown);
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(window()->clockTimer()->isActive());

    folder.writeProfile("[标题]\nCount=1\n000=● changed\n");
    fakes.tray.send(TrayEvent::Show);
    EXPECT_EQ(window(), shown);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(listOnScreen(), (QStringList{"● 画图", "● 记事本"}));
}

TEST_F(AppSessionTest, HideDestroysTheWindowAndShowMakesItAnewFromTheProfile)
{
    session->start();
    window()->frame().presenter().showPanel(Panel::Timer);
    QPointer<MainWindow> old = window();
    old->frame().hideButton()->click();
    EXPECT_EQ(window(), nullptr);
    EXPECT_FALSE(old.isNull() ? false : old->isVisible());
    processDeferredDeletes();
    EXPECT_TRUE(old.isNull());

    folder.writeProfile("[标题]\nCount=1\n000=● changed\n");
    fakes.tray.send(TrayEvent::Show);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(listOnScreen(), QStringList{"● changed"});
    EXPECT_EQ(window()->frame().titleStrip()->text(), toQt(titleText(1)));
    // The panels start hidden and the slide timer stopped; the panel index lives on.
    EXPECT_FALSE(window()->frame().slideTimer()->isActive());
    EXPECT_EQ(window()->frame().presenter().panels().top(int(Panel::Timer)), PanelDeck::kHiddenTop);
    EXPECT_EQ(session->mainWindowState().panelIndex, short(Panel::Timer));
}

TEST_F(AppSessionTest, AWindowClosedByTheWindowManagerComesBackFromTheTray)
{
    session->start();
    QPointer<MainWindow> old = window();
    window()->close();
    EXPECT_EQ(window(), nullptr);
    processDeferredDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(fakes.core.process.exits, 0);
    fakes.tray.send(TrayEvent::Show);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(AppSessionTest, TheTrayMenuOffersShowAndExit)
{
    session->start();
    hideFromTheButton();

    fakes.tray.send(TrayEvent::Other);
    EXPECT_TRUE(fakes.menus.shownMenus.isEmpty());
    EXPECT_EQ(window(), nullptr);

    fakes.menus.nextChoice = "显示";
    fakes.tray.send(TrayEvent::MenuRequest);
    EXPECT_EQ(fakes.menus.shownItems.back(), (QStringList{"显示", "退出"}));
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());

    fakes.tray.send(TrayEvent::MenuRequest);  // dismissed
    EXPECT_EQ(fakes.core.process.exits, 0);
    fakes.menus.nextChoice = "退出";
    fakes.tray.send(TrayEvent::MenuRequest);
    EXPECT_EQ(fakes.core.process.exits, 1);
}

TEST_F(AppSessionTest, FindRemembersWhereItWasAcrossAHide)
{
    folder.writeProfile("[标题]\nCount=3\n000=● QQ\n001=● QQ音乐\n002=● 记事本\n");
    session->start();
    const auto find = [this] {
        SearchPanel& search = window()->searchPanel();
        search.queryBox()->setText("QQ");
        mouse::doubleClick(search.queryBox(), {5, 5});
    };
    find();
    EXPECT_EQ(currentEntry(), "● QQ");

    hideFromTheButton();
    fakes.tray.send(TrayEvent::Show);
    find();
    EXPECT_EQ(currentEntry(), "● QQ音乐");
    find();
    EXPECT_EQ(fakes.core.messages.texts(), std::vector<std::string>{"查找完毕!"});
    find();
    EXPECT_EQ(currentEntry(), "● QQ");
}

TEST_F(AppSessionTest, TheDueScheduleShowsTheNoticeCentredOnTheScreen)
{
    session->start();
    fireAfterOneMinute(ScheduleAction::Alarm);
    ASSERT_NE(notice(), nullptr);
    EXPECT_TRUE(notice()->isVisible());
    EXPECT_TRUE(notice()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(notice()->size(), QSize(261, 183));
    EXPECT_EQ(notice()->pos(), QPoint((1280 - 261) / 2, (800 - 183) / 2));
    EXPECT_EQ(notice()->message()->text(), "时间到!!!");
    EXPECT_TRUE(notice()->stopRingButton()->isVisibleTo(notice()));
    EXPECT_FALSE(notice()->executeButton()->isVisibleTo(notice()));
    EXPECT_FALSE(notice()->cancelButton()->isVisibleTo(notice()));
    EXPECT_TRUE(notice()->flashTimer()->isActive());
    EXPECT_EQ(notice()->flashTimer()->interval(), 500);
    EXPECT_FALSE(notice()->countdownTimer()->isActive());
    // The panel is free while the notice is up.
    EXPECT_TRUE(timer().actionOption(ScheduleAction::PowerOff)->isEnabled());

    // The flash turns the message cyan and back.
    EXPECT_EQ(notice()->message()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    notice()->presenter().flashTick();
    EXPECT_EQ(notice()->message()->palette().color(QPalette::WindowText), QColor(0, 255, 255));
}

TEST_F(AppSessionTest, TheNoticeIsDraggedByItsTitleAndItsBody)
{
    session->start();
    fireAfterOneMinute(ScheduleAction::Alarm);
    ASSERT_NE(notice(), nullptr);
    auto* title = notice()->findChild<MouseLabel*>("title");
    auto* body = notice()->findChild<MouseLabel*>("body");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(body, nullptr);
    const QPoint start = notice()->pos();
    mouse::press(title, {10, 5});
    mouse::move(title, {40, 25}, Qt::LeftButton);
    EXPECT_EQ(notice()->pos(), start + QPoint(30, 20));
    mouse::press(body, {10, 10});
    mouse::move(body, {0, 10}, Qt::LeftButton);
    EXPECT_EQ(notice()->pos(), start + QPoint(20, 20));
    // The message lies over the body and lets no drag through.
    mouse::press(notice()->message(), {10, 10});
    mouse::move(notice()->message(), {50, 50}, Qt::LeftButton);
    EXPECT_EQ(notice()->pos(), start + QPoint(20, 20));
}

TEST_F(AppSessionTest, StopAndCancelUnloadTheNoticeAndExecuteOnlyHidesIt)
{
    session->start();
    fireAfterOneMinute(ScheduleAction::Alarm);
    QPointer<DueNoticeWindow> first = notice();
    notice()->stopRingButton()->click();
    EXPECT_EQ(notice(), nullptr);
    processDeferredDeletes();
    EXPECT_TRUE(first.isNull());

    fireAfterOneMinute(ScheduleAction::PowerOff);
    ASSERT_NE(notice(), nullptr);
    EXPECT_EQ(notice()->message()->text(), "10");
    EXPECT_TRUE(notice()->countdownTimer()->isActive());
    EXPECT_EQ(notice()->countdownTimer()->interval(), 1000);
    notice()->cancelButton()->click();
    EXPECT_EQ(notice(), nullptr);
    EXPECT_TRUE(fakes.core.power.requests.empty());

    // Executed (and refused by the system), it is hidden; every later firing
    // shows it freshly loaded: an alarm rings, a countdown starts at 10.
    fakes.core.power.nextResult = Result::failure("Access denied");
    fireAfterOneMinute(ScheduleAction::Reboot);
    QPointer<DueNoticeWindow> executed = notice();
    notice()->executeButton()->click();
    EXPECT_EQ(fakes.core.power.requests, std::vector<PowerAction>{PowerAction::Reboot});
    EXPECT_EQ(fakes.core.messages.texts().back(), "重启失败：Access denied");
    EXPECT_FALSE(executed->isVisible());
    EXPECT_FALSE(executed->countdownTimer()->isActive());
    for (const ScheduleAction action : {ScheduleAction::Alarm, ScheduleAction::Reboot}) {
        fireAfterOneMinute(action);
        ASSERT_NE(notice(), nullptr);
        EXPECT_TRUE(notice()->isVisible());
        EXPECT_EQ(notice()->message()->text(), action == ScheduleAction::Alarm ? "时间到!!!" : "10");
        EXPECT_EQ(notice()->flashTimer()->isActive(), action == ScheduleAction::Alarm);
        EXPECT_EQ(notice()->countdownTimer()->isActive(), action != ScheduleAction::Alarm);
    }
    processDeferredDeletes();
    EXPECT_TRUE(executed.isNull());
}

TEST_F(AppSessionTest, TheNoticeExecutesWhatTheMainWindowChoosesAndTheAlarmWithoutOne)
{
    session->start();
    fireAfterOneMinute(ScheduleAction::PowerOff);
    timer().actionOption(ScheduleAction::LogOff)->click();  // changed during the countdown
    notice()->executeButton()->click();
    EXPECT_EQ(fakes.core.power.requests, std::vector<PowerAction>{PowerAction::LogOff});

    fireAfterOneMinute(ScheduleAction::PowerOff);
    DueNoticeWindow* shown = notice();
    hideFromTheButton();  // hidden from the tray meanwhile: the choice reads as the alarm
    ASSERT_EQ(notice(), shown);
    EXPECT_TRUE(shown->isVisible());
    shown->executeButton()->click();
    EXPECT_EQ(fakes.core.power.requests.size(), 1u);
    EXPECT_FALSE(shown->isVisible());
}

TEST_F(AppSessionTest, HidingTheMainWindowLosesAWaitingSchedule)
{
    session->start();
    timer().modeOption(ScheduleMode::Countdown)->click();
    timer().box(TimeBox::Minutes)->setText("5");
    timer().startButton()->click();
    ASSERT_TRUE(timer().minuteTimer()->isActive());
    hideFromTheButton();
    fakes.tray.send(TrayEvent::Show);
    EXPECT_FALSE(window()->hasTimerPanel());
    EXPECT_FALSE(timer().presenter().running());
    EXPECT_EQ(timer().startButton()->text(), "开始");
    EXPECT_FALSE(timer().minuteTimer()->isActive());
    EXPECT_EQ(timer().box(TimeBox::Minutes)->text(), "");
    EXPECT_TRUE(timer().modeOption(ScheduleMode::ClockTime)->isChecked());
}

}  // namespace

namespace {

QPushButton* quickButton(MainWindow& window, const char* name)
{
    window.frame().presenter().showPanel(Panel::QuickButtons);
    return window.frame().panelFrame(Panel::QuickButtons)->findChild<QPushButton*>(QLatin1String(name));
}

// 宽带连接 opens one dialog, which outlives the main window; its controls
// are placed by twips and taken in the keyboard order name, account,
// password, 取消, 断开, 连接.
TEST_F(AppSessionTest, TheDialUpDialogIsOneWindowThatOutlivesTheMainWindow)
{
    folder.writeProfile("[标题]\nCount=0\n[宽带连接]\nName=宽带连接\nUsername=u\nPassword=秘密\n");
    session->start();
    QPushButton* dialUpButton = quickButton(*window(), "dialUpButton");
    ASSERT_NE(dialUpButton, nullptr);
    dialUpButton->click();
    QPointer<DialUpDialog> dialog = session->dialUp();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->size(), QSize(371, 265));  // 5565 x 3975 twips at 15 per pixel
    EXPECT_EQ(dialog->pos(), QPoint((1280 - 371) / 2, (800 - 265) / 2));
    EXPECT_EQ(dialog->nameBox()->geometry(), QRect(120, 64, 193, 25));
    EXPECT_EQ(dialog->connectButton()->geometry(), QRect(56, 168, 65, 25));
    EXPECT_EQ(dialog->passwordBox()->text(), "秘密");
    EXPECT_EQ(dialog->passwordBox()->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(dialog->passwordBox()->testAttribute(Qt::WA_InputMethodEnabled));
    std::vector<QWidget*> tabOrder;
    for (QWidget* w = dialog->nextInFocusChain(); w != dialog.data(); w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder.push_back(w);
    }
    EXPECT_EQ(tabOrder, (std::vector<QWidget*>{dialog->nameBox(), dialog->accountBox(), dialog->passwordBox(),
                                               dialog->cancelButton(), dialog->disconnectButton(),
                                               dialog->connectButton()}));

    dialUpButton->click();  // a second press brings the same window forward
    EXPECT_EQ(session->dialUp(), dialog.data());
    hideFromTheButton();
    EXPECT_EQ(session->dialUp(), dialog.data());
    EXPECT_TRUE(dialog->isVisible());

    dialog->cancelButton()->click();
    processDeferredDeletes();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(session->dialUp(), nullptr);
}

// The status line follows a press of a mouse button on 连接 or 断开; a
// keyboard activation runs the click alone.
TEST_F(AppSessionTest, TheDialUpStatusFollowsAPressNotAKeyboardActivation)
{
    folder.writeProfile("[标题]\nCount=0\n[宽带连接]\nName=宽带\n");
    session->showDialUp();
    DialUpDialog* dialog = session->dialUp();
    mouse::press(dialog->connectButton(), {5, 5}, Qt::RightButton);
    EXPECT_EQ(dialog->status()->text(), "正在连接 宽带...");
    mouse::press(dialog->disconnectButton(), {5, 5}, Qt::RightButton);
    EXPECT_EQ(dialog->status()->text(), "正在断开 宽带...");

    dialog->connectButton()->setFocus();
    QTest::keyClick(dialog->connectButton(), Qt::Key_Space);  // account empty: told, status cleared
    EXPECT_EQ(fakes.core.messages.texts().back(), "宽带帐号不能为空");
    EXPECT_EQ(dialog->status()->text(), "");
    QTest::keyClick(dialog->nameBox(), Qt::Key_Return);  // no default button
    EXPECT_EQ(fakes.core.messages.shown.size(), 1u);
}

}  // namespace
