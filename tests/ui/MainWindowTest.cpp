#include "FakePlatform.h"
#include "MouseEvents.h"

#include "core/window/TitleText.h"
#include "platform/qt/QtText.h"
#include "ui/qt/AddPanel.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/MouseLabel.h"
#include "ui/qt/SearchPanel.h"
#include "ui/qt/TimerPanel.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::string kNotepad = "/usr/bin/notepad";
const std::string kZip = "/opt/zip tools/zip";

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        folder.writeProfile("[标题]\nCount=2\n000=● Notepad\n001=● Zip\n"
                            "[● Notepad]\nFilename=" + kNotepad + "\n[● Zip]\nFilename=" + kZip + "\n");
        fakes.core.files.existing = {kNotepad, kZip};
    }

    MainWindow& window()
    {
        if (!window_) {
            window_ = std::make_unique<MainWindow>(fakes.platform, state);
            window_->show();
        }
        return *window_;
    }
    void reopen()
    {
        window_.reset();
        window();
    }

    WindowFrame& frame() { return window().frame(); }
    QListWidget* list() { return window().launcherList().list(); }
    int panelTop(Panel panel) { return frame().panelFrame(panel)->geometry().top(); }
    // The slide, tick by tick as its timer would run it.
    void slideToTheEnd()
    {
        for (int i = 0; i < 100 && frame().slideTimer()->isActive(); ++i)
            frame().presenter().slideTick();
    }
    QStringList entries()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    QPoint entryCentre(int row) { return list()->visualItemRect(list()->item(row)).center(); }
    void select(int row) { list()->setCurrentRow(row); }
    std::vector<std::string> messages() const { return fakes.core.messages.texts(); }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    MainWindowState state;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, TheWindowIsSizedFromTwipsCentredAndLoadedFromTheProfile)
{
    EXPECT_EQ(window().size(), QSize(305, 442));
    EXPECT_EQ(window().pos(), QPoint((1280 - 305) / 2, (800 - 442) / 2));
    EXPECT_EQ(frame().titleStrip()->geometry(), QRect(3, 3, 298, 23));
    EXPECT_EQ(frame().background()->geometry(), QRect(3, 30, 298, 407));
    EXPECT_EQ(list()->geometry(), QRect(16, 40, 185, 254));
    EXPECT_EQ(frame().exitButton()->geometry(), QRect(216, 240, 65, 25));
    EXPECT_EQ(frame().viewport()->geometry(), QRect(16, 304, 273, 124));
    EXPECT_TRUE(window().windowFlags() & Qt::FramelessWindowHint);

    EXPECT_EQ(entries(), QStringList({"● Notepad", "● Zip"}));
    EXPECT_EQ(frame().titleStrip()->text(), toQt(titleText(2)));
    EXPECT_EQ(window().windowTitle(), toQt(titleText(2)));
    EXPECT_TRUE(window().clockTimer()->isActive());
    EXPECT_EQ(window().clockTimer()->interval(), 500);
}

TEST_F(MainWindowTest, AtOneHundredAndTwentyDotsPerInchHalvesRoundToEven)
{
    fakes.screen.twipsPerPixel = 12;
    EXPECT_EQ(window().size(), QSize(381, 552));
}

TEST_F(MainWindowTest, PanelsStartHiddenAndSlideInFromTheAddButtonAndTheMenus)
{
    for (Panel panel : {Panel::AddItem, Panel::QuickButtons, Panel::Search, Panel::Timer})
        EXPECT_EQ(panelTop(panel), -133);
    EXPECT_FALSE(frame().slideTimer()->isActive());
    EXPECT_EQ(frame().slideTimer()->interval(), 10);

    window().launcherList().addButton()->click();
    EXPECT_TRUE(frame().slideTimer()->isActive());
    frame().presenter().slideTick();
    EXPECT_EQ(panelTop(Panel::AddItem), -128);  // -1920 twips
    // The slide timer itself brings the panel down and stops.
    QElapsedTimer waited;
    waited.start();
    while (frame().slideTimer()->isActive() && waited.elapsed() < 5000)
        QTest::qWait(10);
    EXPECT_FALSE(frame().slideTimer()->isActive());
    EXPECT_EQ(panelTop(Panel::AddItem), 0);
    EXPECT_EQ(frame().panelFrame(Panel::AddItem)->size(), QSize(273, 125));

    // The options menu behind the star, and the list menu's 添加.
    struct Route {
        QString item;
        Panel panel;
        bool fromListMenu;
    };
    const Route routes[] = {{"快捷按键", Panel::QuickButtons, false},
                            {"搜索引擎", Panel::Search, false},
                            {"定时选项", Panel::Timer, false},
                            {"添加", Panel::AddItem, true}};
    for (const Route& route : routes) {
        fakes.menus.nextChoice = route.item;
        if (route.fromListMenu)
            mouse::press(list()->viewport(), {10, 10}, Qt::RightButton);
        else
            mouse::press(frame().star(), {5, 5});
        EXPECT_EQ(state.panelIndex, short(route.panel)) << route.item.toStdString();
        // The panel's controls are made before it slides in.
        EXPECT_FALSE(frame().panelFrame(route.panel)->findChildren<QWidget*>().isEmpty())
            << route.item.toStdString();
        slideToTheEnd();
        for (Panel other : {Panel::AddItem, Panel::QuickButtons, Panel::Search, Panel::Timer})
            EXPECT_EQ(panelTop(other), other == route.panel ? 0 : -133) << route.item.toStdString();
    }
}

TEST_F(MainWindowTest, TheStarLightsUpAndOpensTheOptionsOrHidesThePanels)
{
    mouse::move(frame().star(), {5, 5});
    EXPECT_EQ(frame().star()->text(), QStringLiteral("★"));
    mouse::move(frame().background(), {100, 100});
    EXPECT_EQ(frame().star()->text(), QStringLiteral("☆"));

    fakes.menus.nextChoice = "定时选项";
    mouse::press(frame().star(), {5, 5});
    EXPECT_EQ(fakes.menus.shownMenus, QStringList{"选项"});
    EXPECT_EQ(fakes.menus.shownItems.back(), (QStringList{"快捷按键", "定时选项", "搜索引擎"}));
    EXPECT_EQ(state.panelIndex, short(Panel::Timer));

    // A right press during the slide hides all; the slide goes on from the top.
    frame().presenter().slideTick();
    mouse::press(frame().star(), {5, 5}, Qt::RightButton);
    EXPECT_EQ(panelTop(Panel::Timer), -133);
    EXPECT_TRUE(frame().slideTimer()->isActive());
    slideToTheEnd();
    EXPECT_EQ(panelTop(Panel::Timer), 0);
    mouse::press(frame().star(), {5, 5}, Qt::RightButton);
    EXPECT_EQ(panelTop(Panel::Timer), -133);
    EXPECT_FALSE(frame().slideTimer()->isActive());
    EXPECT_EQ(fakes.menus.shownItems.size(), 1u);  // only the left button opens the menu
}

TEST_F(MainWindowTest, TheListMenuHasAllItsEntriesInOrderAndOpensOnTheRightButtonOnly)
{
    mouse::press(list()->viewport(), {10, 10}, Qt::RightButton);
    ASSERT_EQ(fakes.menus.shownItems.size(), 1u);
    EXPECT_EQ(fakes.menus.shownMenus, QStringList{"主菜单"});
    EXPECT_EQ(fakes.menus.shownItems.back(),
              (QStringList{"启动", "文件目录", "快捷方式 ▸", "在桌面", "在开始菜单", "在快速启动", "添加",
                           "删除", "清空"}));
    mouse::press(list()->viewport(), {10, 10}, Qt::LeftButton);
    EXPECT_EQ(fakes.menus.shownItems.size(), 1u);
}

TEST_F(MainWindowTest, EachButtonAndMenuItemOfTheListRunsItsOwnCommand)
{
    select(1);
    window().launcherList().startButton()->click();
    ASSERT_EQ(fakes.core.shell.opened.size(), 1u);
    EXPECT_EQ(fakes.core.links.saved.back().fields.target, kZip);

    const std::pair<QString, std::string> shortcuts[] = {
        {"在桌面", "/home/u/桌面/Zip.desktop"},
        {"在开始菜单", "/home/u/.local/share/applications/Zip.desktop"},
        {"在快速启动", "/home/u/.local/share/applications/Zip.desktop"},
    };
    for (const auto& [item, file] : shortcuts) {
        fakes.menus.nextChoice = item;
        mouse::press(list()->viewport(), {10, 10}, Qt::RightButton);
        EXPECT_EQ(fakes.core.links.saved.back().file, file) << item.toStdString();
    }
    fakes.menus.nextChoice = "文件目录";
    mouse::press(list()->viewport(), {10, 10}, Qt::RightButton);
    EXPECT_EQ(fakes.core.shell.folders, std::vector<std::string>{"/opt/zip tools/"});
    fakes.menus.nextChoice = "启动";
    mouse::press(list()->viewport(), {10, 10}, Qt::RightButton);
    EXPECT_EQ(fakes.core.shell.opened.size(), 2u);
    EXPECT_TRUE(messages().empty());

    fakes.core.messages.nextAnswer = true;
    window().launcherList().deleteButton()->click();
    EXPECT_EQ(entries(), QStringList{"● Notepad"});
    // The title counts what is left.
    EXPECT_EQ(frame().titleStrip()->text(), toQt(titleText(1)));
    list()->clearSelection();
    fakes.menus.nextChoice = "删除";
    mouse::press(list()->viewport(), {10, 10}, Qt::RightButton);
    EXPECT_EQ(messages().back(), "请选择要删除的项目!");

    reopen();
    window().launcherList().clearButton()->click();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(frame().titleStrip()->text(), toQt(titleText(0)));
    fakes.core.messages.shown.clear();
    folder.writeProfile("[标题]\nCount=1\n000=● Notepad\n");
    reopen();
    fakes.menus.nextChoice = "清空";
    mouse::press(list()->viewport(), {10, 10}, Qt::RightButton);
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"确定全部删除吗？"});
}

TEST_F(MainWindowTest, AnItemAddedOnTheAddPanelShowsInTheListAndTheTitle)
{
    window().launcherList().addButton()->click();
    AddPanel& add = window().addPanel();
    add.pathBox()->setText("/usr/bin/paint");
    add.nameBox()->setText("Paint");
    add.confirmButton()->click();
    EXPECT_EQ(entries(), QStringList({"● Notepad", "● Paint", "● Zip"}));
    EXPECT_EQ(frame().titleStrip()->text(), toQt(titleText(3)));
    EXPECT_EQ(window().windowTitle(), toQt(titleText(3)));
    EXPECT_TRUE(add.pathBox()->text().isEmpty());
    EXPECT_TRUE(add.nameBox()->text().isEmpty());
    EXPECT_EQ(state.panelIndex, short(Panel::AddItem));

    fakes.core.fileDialogs.nextChoice = "/opt/tools/draw";
    fakes.core.files.existing.push_back("/opt/tools/draw");
    add.browseButton()->click();
    EXPECT_EQ(add.pathBox()->text(), "/opt/tools/draw");
    EXPECT_EQ(add.nameBox()->text(), "draw");
}

TEST_F(MainWindowTest, CancelOnTheAddPanelEmptiesItAndPutsItAwayAtOnce)
{
    window().launcherList().addButton()->click();
    slideToTheEnd();
    AddPanel& add = window().addPanel();
    add.pathBox()->setText("/usr/bin/gedit");
    add.nameBox()->setText("gedit");
    add.cancelButton()->click();
    EXPECT_EQ(panelTop(Panel::AddItem), -133);
    EXPECT_TRUE(add.pathBox()->text().isEmpty());
    EXPECT_TRUE(add.nameBox()->text().isEmpty());

    // During a slide the timer goes on and brings the panel down again.
    window().launcherList().addButton()->click();
    frame().presenter().slideTick();
    add.cancelButton()->click();
    EXPECT_TRUE(frame().slideTimer()->isActive());
}

TEST_F(MainWindowTest, AClickOnTheTitleRefreshesTheDesktopOncePerClick)
{
    mouse::click(frame().titleStrip(), {20, 10});
    EXPECT_EQ(fakes.core.desktop.refreshes, 1);
    // The first half of a double-click is a click; the second half is not.
    mouse::doubleClick(frame().titleStrip(), {20, 10});
    EXPECT_EQ(fakes.core.desktop.refreshes, 2);
    // Right button, or a release away from the title, is no click.
    mouse::press(frame().titleStrip(), {20, 10}, Qt::RightButton);
    mouse::release(frame().titleStrip(), {20, 10}, Qt::RightButton);
    mouse::press(frame().titleStrip(), {20, 10});
    mouse::release(frame().titleStrip(), {20, 500});
    EXPECT_EQ(fakes.core.desktop.refreshes, 2);
    mouse::click(frame().background(), {20, 10});
    EXPECT_EQ(fakes.core.desktop.refreshes, 2);
}

TEST_F(MainWindowTest, ADoubleClickOnTheTitleRollsTheWindowUpAndBack)
{
    const QPoint corner = window().pos();
    mouse::doubleClick(frame().titleStrip(), {20, 5});
    EXPECT_TRUE(frame().presenter().rolledUp());
    EXPECT_EQ(window().size(), QSize(305, 31));
    EXPECT_EQ(window().pos(), corner);
    EXPECT_EQ(frame().titleStrip()->text(), "2026年12月6日 星期日 €16:49:53");

    mouse::doubleClick(frame().titleStrip(), {20, 5});
    EXPECT_FALSE(frame().presenter().rolledUp());
    EXPECT_EQ(window().size(), QSize(305, 442));
    EXPECT_EQ(window().pos(), corner);
    EXPECT_EQ(frame().titleStrip()->text(), toQt(titleText(2)));
}

TEST_F(MainWindowTest, DraggingByTheTitleOrTheBackgroundMovesTheWindow)
{
    const QPoint start = window().pos();
    mouse::press(frame().titleStrip(), {10, 5});
    mouse::move(frame().titleStrip(), {30, 20}, Qt::LeftButton);
    EXPECT_EQ(window().pos(), start + QPoint(20, 15));
    // The release lands on the title, which moved along: a click.
    mouse::release(frame().titleStrip(), {10, 5});
    EXPECT_EQ(fakes.core.desktop.refreshes, 1);

    // The offset is shared: a move on the background uses the title's press.
    mouse::move(frame().background(), {10, 5}, Qt::LeftButton);
    EXPECT_EQ(window().pos(), start + QPoint(20, 15));
    mouse::press(frame().background(), {50, 50}, Qt::RightButton);
    EXPECT_EQ(state.dragOffset.x, 10);
    mouse::move(frame().background(), {0, 0}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window().pos(), start + QPoint(20, 15));
    mouse::move(frame().background(), {0, 0}, Qt::LeftButton);
    EXPECT_EQ(window().pos(), start + QPoint(10, 10));
}

TEST_F(MainWindowTest, HideAsksTheOwnerToUnloadAndExitEndsTheProgram)
{
    QSignalSpy hide(&window(), &MainWindow::hideRequested);
    frame().hideButton()->click();
    EXPECT_EQ(hide.count(), 1);
    EXPECT_EQ(fakes.core.process.exits, 0);
    frame().exitButton()->click();
    EXPECT_EQ(fakes.core.process.exits, 1);
    EXPECT_EQ(hide.count(), 1);
}

TEST_F(MainWindowTest, EveryNewWindowStartsFromTheDesignValuesOfThePanels)
{
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening == 0 ? "first window" : "window made anew");
        SearchPanel& search = window().searchPanel();
        EXPECT_TRUE(search.engineOption(SearchEngine::Baidu)->isChecked());
        EXPECT_TRUE(search.categoryOption(SearchCategory::Web)->isChecked());
        EXPECT_TRUE(search.queryBox()->text().isEmpty());

        TimerPanel& timer = window().timerPanel();
        EXPECT_TRUE(timer.modeOption(ScheduleMode::ClockTime)->isChecked());
        EXPECT_TRUE(timer.actionOption(ScheduleAction::Alarm)->isChecked());
        EXPECT_TRUE(timer.box(TimeBox::Hour)->isEnabled());
        EXPECT_FALSE(timer.box(TimeBox::Minutes)->isEnabled());
        EXPECT_FALSE(timer.programBox()->isEnabled());
        EXPECT_EQ(timer.programBox()->text(), QStringLiteral("请在列表中选择!"));
        EXPECT_EQ(timer.startButton()->text(), QStringLiteral("开始"));
        EXPECT_EQ(window().scheduleAction(), ScheduleAction::Alarm);

        window().quickPanel();
        const auto* lock = frame().panelFrame(Panel::QuickButtons)->findChild<QPushButton*>("lockButton");
        ASSERT_NE(lock, nullptr);
        EXPECT_EQ(lock->text(), QStringLiteral("锁屏"));

        // Changed here; the next window must not show it.
        search.engineOption(SearchEngine::Google)->setChecked(true);
        search.categoryOption(SearchCategory::Questions)->setChecked(true);
        EXPECT_TRUE(search.engineOption(SearchEngine::Google)->isChecked());  // separate groups
        search.queryBox()->setText("QQ");
        timer.modeOption(ScheduleMode::Countdown)->click();
        timer.actionOption(ScheduleAction::RunProgram)->click();
        EXPECT_EQ(window().scheduleAction(), ScheduleAction::RunProgram);
        reopen();
    }
}

TEST_F(MainWindowTest, AListClickNamesTheItemInTheTimerPanelsProgramBox)
{
    TimerPanel& timer = window().timerPanel();
    mouse::click(list()->viewport(), entryCentre(1));
    ASSERT_EQ(list()->currentRow(), 1);
    EXPECT_EQ(timer.programBox()->text(), "请在列表中选择!");  // run-program not chosen

    timer.actionOption(ScheduleAction::RunProgram)->click();
    mouse::click(list()->viewport(), entryCentre(0));
    EXPECT_EQ(timer.programBox()->text(), "Notepad");
    // A click on the entry that is already selected names it again.
    timer.programBox()->clear();
    mouse::click(list()->viewport(), entryCentre(0));
    EXPECT_EQ(timer.programBox()->text(), "Notepad");

    // A running schedule has locked the box.
    timer.modeOption(ScheduleMode::Countdown)->click();
    timer.box(TimeBox::Minutes)->setText("5");
    timer.startButton()->click();
    ASSERT_EQ(timer.startButton()->text(), "停止");
    mouse::click(list()->viewport(), entryCentre(1));
    EXPECT_EQ(timer.programBox()->text(), "Notepad");
}

// Letters typed in the list select the next entry whose name begins with
// them, Han by pinyin initials; a pause of a second starts a new prefix.
TEST_F(MainWindowTest, LettersTypedInTheListSelectAnEntryByItsPinyinInitials)
{
    folder.writeProfile("[标题]\nCount=5\n000=● Notepad\n001=● 画图\n002=● 记事本\n003=● 金山词霸\n004=● 网易云音乐\n");
    window();
    list()->setFocus();
    const auto typed = [&](const char* keys, int pauseMs = 0) {
        fakes.core.clock.steady += std::chrono::milliseconds(pauseMs);
        QTest::keyClicks(list(), QString::fromLatin1(keys));
        return list()->currentItem() ? list()->currentItem()->text() : QString();
    };
    EXPECT_EQ(typed("j"), "● 记事本");
    EXPECT_EQ(typed("s", 999), "● 记事本");  // "js" still begins it
    EXPECT_EQ(typed("c"), "● 金山词霸");      // "jsc"
    EXPECT_EQ(typed("j", 1000), "● 记事本");  // a new prefix looks past the selection, going round
    EXPECT_EQ(typed("j"), "● 金山词霸");      // "jj" begins nothing: the next "j"
    EXPECT_EQ(typed("N", 1000), "● Notepad");  // letter case does not count
    EXPECT_EQ(typed("x", 1000), "● Notepad");  // nothing begins with "x"
    EXPECT_EQ(typed("wyyy", 1000), "● 网易云音乐");
}

TEST_F(MainWindowTest, TheClockTickRenewsTheStatusAreaTheTimerPanelAndTheRolledUpTitle)
{
    StatusArea& status = window().statusArea();
    EXPECT_EQ(status.dateLine()->text(), " 2026年12月6日 星期日 €16:49:53");
    EXPECT_EQ(status.address()->text(), "IP地址:192.168.1.23");
    EXPECT_EQ(status.upTime()->text(), "");

    TimerPanel& timer = window().timerPanel();
    fakes.core.clock.time = LocalTime::at(2026, 12, 12, 9, 5, 7);
    fakes.core.system.upTime = 36'000'000;
    fakes.core.system.mode = 2;
    window().clockTick();
    EXPECT_EQ(status.dateLine()->text(), " 2026年12月12日 星期六 €09:05:07");
    EXPECT_EQ(status.upTime()->text(), "系统网络安全模式已运行10:00:00");
    // The lines fit their text as it grows.
    EXPECT_EQ(status.upTime()->width(), status.upTime()->sizeHint().width());
    EXPECT_EQ(status.dateLine()->width(), status.dateLine()->sizeHint().width());
    EXPECT_EQ(timer.currentTimeLabel()->text(), "当前时间:09:05:07");
    EXPECT_EQ(frame().titleStrip()->text(), toQt(titleText(2)));  // not rolled up: the count stays

    mouse::doubleClick(frame().titleStrip(), {20, 5});
    fakes.core.clock.time.sinceMidnight += std::chrono::seconds(1);
    window().clockTick();
    EXPECT_EQ(frame().titleStrip()->text(), "2026年12月12日 星期六 €09:05:08");
    EXPECT_EQ(timer.currentTimeLabel()->text(), "当前时间:09:05:08");
}

TEST_F(MainWindowTest, TheMenuActsOnTheEntryThatWasCurrentBeforeTheRightPress)
{
    select(1);
    fakes.menus.nextChoice = QStringLiteral("删除");
    fakes.core.messages.nextAnswer = true;
    mouse::press(list()->viewport(), entryCentre(0), Qt::RightButton);
    EXPECT_EQ(entries(), QStringList({"● Notepad"}));
}

TEST_F(MainWindowTest, TheTooltipNamesThePathOfTheEntryUnderThePointer)
{
    const QPoint second = entryCentre(1);
    mouse::move(list()->viewport(), second);
    EXPECT_EQ(list()->toolTip(), toQt("路径:" + kZip));
    // The list shows it when the pointer rests over its entries.
    QHelpEvent rest(QEvent::ToolTip, second, list()->viewport()->mapToGlobal(second));
    QApplication::sendEvent(list()->viewport(), &rest);
    EXPECT_EQ(QToolTip::text(), toQt("路径:" + kZip));
    QToolTip::hideText();
    mouse::move(list()->viewport(), entryCentre(0));
    EXPECT_EQ(list()->toolTip(), toQt("路径:" + kNotepad));
    mouse::move(list()->viewport(), second + QPoint(0, 3 * list()->visualItemRect(list()->item(1)).height()));
    EXPECT_TRUE(list()->toolTip().isEmpty());
    // While a button is held the tip is left alone.
    mouse::move(list()->viewport(), second, Qt::LeftButton);
    EXPECT_TRUE(list()->toolTip().isEmpty());
}

TEST_F(MainWindowTest, ADoubleClickOnTheListClosesTheWindowOnlyWhenTheStartGotThrough)
{
    QSignalSpy closing(&window(), &MainWindow::hideRequested);
    const QPoint first = entryCentre(0);

    fakes.core.shell.nextResult = Result::failure("no handler");
    mouse::doubleClick(list()->viewport(), first);
    EXPECT_EQ(fakes.core.shell.opened.size(), 1u);
    EXPECT_EQ(closing.count(), 0);
    EXPECT_TRUE(messages().empty());  // a failed start ends quietly

    fakes.core.shell.nextResult = Result::success();
    fakes.core.files.existing = {kZip};
    mouse::doubleClick(list()->viewport(), first);
    EXPECT_EQ(messages(), std::vector<std::string>{"设置有误，启动失败！！！"});
    EXPECT_EQ(closing.count(), 0);

    fakes.core.files.existing = {kNotepad, kZip};
    mouse::doubleClick(list()->viewport(), first);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(fakes.core.shell.opened.size(), 2u);

    // The start button starts alike but leaves the window open.
    window().launcherList().startButton()->click();
    EXPECT_EQ(fakes.core.shell.opened.size(), 3u);
    EXPECT_EQ(closing.count(), 1);
}

}  // namespace
