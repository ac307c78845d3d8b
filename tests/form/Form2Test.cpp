#include "Fakes.h"
#include "MouseEvents.h"

#include "app/Form2.h"
#include "app/MouseLabel.h"
#include "core/window/TitleText.h"
#include "core/profile/Profile.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class Form2Test : public ::testing::Test {
protected:
    Form2Test()
    {
        folder.writeProfile("[标题]\nCount=3\n000=● 记事本\n001=● 画图\n002=● 计算器\n");
    }

    Form2& window()
    {
        if (!form2) {
            form2 = std::make_unique<Form2>(fakes.platform, memory);
            form2->show();
        }
        return *form2;
    }

    int panelTopPixels(int panel) { return window().Picture1[panel]->geometry().top(); }

    void runSlideToTheEnd()
    {
        for (int i = 0; i < 100 && window().Timer1->isActive(); ++i)
            window().Timer1_Timer();
    }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    Form2Memory memory;
    std::unique_ptr<Form2> form2;
};

TEST_F(Form2Test, TheLoadStepFillsTheListAndTheTitleStrip)
{
    EXPECT_EQ(window().List1->count(), 3);
    EXPECT_EQ(window().List1->item(0)->text(), QStringLiteral("● 画图"));
    EXPECT_EQ(window().Label3->text(), toQt(titleText(3)));
    EXPECT_EQ(window().windowTitle(), toQt(titleText(3)));
}

TEST_F(Form2Test, TheWindowIsSizedFromTwipsAndCentredOnTheScreen)
{
    EXPECT_EQ(window().size(), QSize(305, 442));
    EXPECT_EQ(window().pos(), QPoint((1280 - 305) / 2, (800 - 442) / 2));
    EXPECT_EQ(window().Label3->geometry(), QRect(3, 3, 298, 23));
    EXPECT_EQ(window().Image1->geometry(), QRect(3, 30, 298, 407));
    EXPECT_EQ(window().List1->geometry(), QRect(16, 40, 185, 254));
    EXPECT_EQ(window().Command10->geometry(), QRect(216, 240, 65, 25));
    EXPECT_EQ(window().Picture2->geometry(), QRect(16, 304, 273, 124));
    EXPECT_TRUE(window().windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(Form2Test, AtOneHundredAndTwentyDotsPerInchHalvesRoundToEven)
{
    fakes.screen.twipsPerPixel = 12;
    EXPECT_EQ(window().size(), QSize(381, 552));
}

TEST_F(Form2Test, PanelsStartHiddenAndSlideInFromTheButtonAndTheMenus)
{
    for (int i = 0; i < PanelDeck::kPanelCount; ++i)
        EXPECT_EQ(panelTopPixels(i), -133);
    EXPECT_FALSE(window().Timer1->isActive());
    EXPECT_EQ(window().Timer1->interval(), 10);

    window().Command7->click();
    EXPECT_TRUE(window().Timer1->isActive());
    window().Timer1_Timer();
    EXPECT_EQ(panelTopPixels(0), -128);  // -1920 twips
    runSlideToTheEnd();
    EXPECT_EQ(panelTopPixels(0), 0);
    EXPECT_EQ(window().Picture1[0]->size(), QSize(273, 125));

    const std::pair<QString, int> menuPanels[] = {{"快捷按键", 1}, {"搜索引擎", 2}, {"定时选项", 3}, {"添加", 0}};
    for (const auto& [item, panel] : menuPanels) {
        for (QMenu* menu : {&window().xuanxiang, &window().zhucaidan}) {
            for (QAction* action : menu->actions()) {
                if (action->text() == item)
                    action->trigger();
            }
        }
        EXPECT_EQ(memory.PanelIndex, panel) << item.toStdString();
        runSlideToTheEnd();
        EXPECT_EQ(panelTopPixels(panel), 0);
        for (int other = 0; other < PanelDeck::kPanelCount; ++other) {
            if (other != panel) {
                EXPECT_EQ(panelTopPixels(other), -133);
            }
        }
    }
}

TEST_F(Form2Test, TheStarLightsUpAndOpensTheOptionsOrHidesThePanels)
{
    mouse::move(window().Label7, {5, 5});
    EXPECT_EQ(window().Label7->text(), QStringLiteral("★"));
    mouse::move(window().Image1, {100, 100});
    EXPECT_EQ(window().Label7->text(), QStringLiteral("☆"));

    fakes.menus.nextChoice = "定时选项";
    mouse::press(window().Label7, {5, 5});
    EXPECT_EQ(fakes.menus.shownItems.back(), (QStringList{"快捷按键", "定时选项", "搜索引擎"}));
    EXPECT_EQ(memory.PanelIndex, 3);

    // A right press during the slide hides all; the slide goes on from the top.
    window().Timer1_Timer();
    mouse::press(window().Label7, {5, 5}, Qt::RightButton);
    EXPECT_EQ(panelTopPixels(3), -133);
    EXPECT_TRUE(window().Timer1->isActive());
    runSlideToTheEnd();
    EXPECT_EQ(panelTopPixels(3), 0);
    mouse::press(window().Label7, {5, 5}, Qt::RightButton);
    EXPECT_EQ(panelTopPixels(3), -133);
    EXPECT_FALSE(window().Timer1->isActive());
}

TEST_F(Form2Test, TheListMenuHasAllItsEntriesInOrder)
{
    mouse::press(window().List1->viewport(), {10, 10}, Qt::RightButton);
    ASSERT_EQ(fakes.menus.shownItems.size(), 1u);
    EXPECT_EQ(fakes.menus.shownItems.back(),
              (QStringList{"启动", "文件目录", "快捷方式 ▸", "在桌面", "在开始菜单", "在快速启动", "添加",
                           "删除", "清空"}));
    mouse::press(window().List1->viewport(), {10, 10}, Qt::LeftButton);
    EXPECT_EQ(fakes.menus.shownItems.size(), 1u);
}

TEST_F(Form2Test, AClickOnTheTitleRefreshesTheDesktopOncePerClick)
{
    mouse::click(window().Label3, {20, 10});
    EXPECT_EQ(fakes.desktop.refreshes, 1);
    // The first half of a double-click is a click; the second half is not.
    mouse::doubleClick(window().Label3, {20, 10});
    EXPECT_EQ(fakes.desktop.refreshes, 2);
    // Right button, or a release away from the title, is no click.
    mouse::press(window().Label3, {20, 10}, Qt::RightButton);
    mouse::release(window().Label3, {20, 10}, Qt::RightButton);
    mouse::press(window().Label3, {20, 10});
    mouse::release(window().Label3, {20, 500});
    EXPECT_EQ(fakes.desktop.refreshes, 2);
    mouse::click(window().Image1, {20, 10});
    EXPECT_EQ(fakes.desktop.refreshes, 2);
}

TEST_F(Form2Test, DraggingByTheTitleOrTheBackgroundMovesTheWindow)
{
    const QPoint start = window().pos();
    mouse::press(window().Label3, {10, 5});
    mouse::move(window().Label3, {30, 20}, Qt::LeftButton);
    EXPECT_EQ(window().pos(), start + QPoint(20, 15));
    // The release lands on the title, which moved along: a click.
    mouse::release(window().Label3, {10, 5});
    EXPECT_EQ(fakes.desktop.refreshes, 1);

    // The offset is shared: a move on the background uses the title's press.
    mouse::move(window().Image1, {10, 5}, Qt::LeftButton);
    EXPECT_EQ(window().pos(), start + QPoint(20, 15));
    mouse::press(window().Image1, {50, 50}, Qt::RightButton);
    EXPECT_EQ(memory.drag.DragX, 10);
    mouse::move(window().Image1, {0, 0}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window().pos(), start + QPoint(20, 15));
    mouse::move(window().Image1, {0, 0}, Qt::LeftButton);
    EXPECT_EQ(window().pos(), start + QPoint(10, 10));
}

TEST_F(Form2Test, HideAndExitButtons)
{
    QSignalSpy hide(&window(), &Form2::hideRequested);
    window().Command9->click();
    EXPECT_EQ(hide.count(), 1);
    EXPECT_EQ(fakes.process.exits, 0);
    window().Command10->click();
    EXPECT_EQ(fakes.process.exits, 1);
}

TEST_F(Form2Test, AFailedSaveIsToldOnceWithTheFileAndNothingChanges)
{
    ProfileEdit good(profileAccess(fakes), folder.profile().toStdString());
    good.WriteINI("标题", "Count", "3");
    EXPECT_TRUE(window().commitProfile(good));
    EXPECT_TRUE(fakes.messages.shown.empty());

    QFile::setPermissions(folder.profile(), QFile::ReadOwner);
    const QByteArray before = folder.readBytes("Ombrel.ini");
    ProfileEdit edit(profileAccess(fakes), folder.profile().toStdString());
    for (int i = 0; i < 5; ++i)
        edit.WriteINI("标题", std::to_string(i), "x");
    EXPECT_FALSE(window().commitProfile(edit));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(fakes.messages.shown[0].text.contains(folder.profile()));
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
}

}  // namespace

namespace {

TEST_F(Form2Test, CancelOnTheAddPanelEmptiesItAndPutsItAwayAtOnce)
{
    window().ShowPanel(0);
    runSlideToTheEnd();
    window().addPanel().Text1->setText("/usr/bin/gedit");
    window().addPanel().Text2->setText("gedit");
    window().addPanel().Command4->click();
    EXPECT_EQ(panelTopPixels(0), -133);
    EXPECT_TRUE(window().addPanel().Text1->text().isEmpty());
    EXPECT_TRUE(window().addPanel().Text2->text().isEmpty());

    // During a slide the timer goes on and brings the panel down again.
    window().ShowPanel(0);
    window().Timer1_Timer();
    window().addPanel().Command4->click();
    EXPECT_TRUE(window().Timer1->isActive());
}

TEST_F(Form2Test, EveryNewWindowStartsFromTheDesignValuesOfThePanels)
{
    const SearchPanel& search = window().searchPanel();
    EXPECT_TRUE(search.Option8->isChecked());
    EXPECT_TRUE(search.Option12->isChecked());
    search.Option13->setChecked(true);
    EXPECT_FALSE(search.Option12->isChecked());
    EXPECT_TRUE(search.Option8->isChecked());  // engines and categories are separate groups

    const TimerPanel& timer = window().timerPanel();
    EXPECT_TRUE(timer.Option1->isChecked());
    EXPECT_TRUE(timer.Option5->isChecked());
    EXPECT_FALSE(timer.Text6->isEnabled());
    EXPECT_FALSE(timer.Text7->isEnabled());
    EXPECT_EQ(timer.Text7->text(), QStringLiteral("请在列表中选择!"));
    EXPECT_EQ(timer.Command3->text(), QStringLiteral("开始"));
    EXPECT_EQ(window().quickPanel().Command18->text(), QStringLiteral("锁屏"));
}

}  // namespace
