#include "Fakes.h"
#include "MouseEvents.h"

#include "app/Form2.h"
#include "app/MouseLabel.h"
#include "core/window/TitleText.h"
#include "support/TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class StatusSearchFormTest : public ::testing::Test {
protected:
    StatusSearchFormTest() { folder.writeProfile("[标题]\nCount=3\n000=● QQ\n001=● QQ音乐\n002=● 记事本\n"); }

    Form2& window()
    {
        if (!form2) {
            form2 = std::make_unique<Form2>(fakes.platform, memory);
            form2->show();
        }
        return *form2;
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& shown : fakes.messages.shown)
            texts << shown.title + QLatin1Char('|') + shown.text;
        return texts;
    }
    SearchPanel& search()
    {
        window().ShowPanel(2);
        return window().searchPanel();
    }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    Form2Memory memory;
    std::unique_ptr<Form2> form2;
};

TEST_F(StatusSearchFormTest, TheLoadShowsDateAndAddressAndLeavesTheUpTimeToTheFirstTick)
{
    EXPECT_EQ(window().Label5->text(), " 2026年12月6日 星期日 €16:49:53");
    EXPECT_EQ(window().Label6->text(), "IP地址:192.168.1.23");
    EXPECT_EQ(window().Label8->text(), "");
    EXPECT_TRUE(window().Timer2->isActive());
    EXPECT_EQ(window().Timer2->interval(), 500);

    window().Timer2_Timer();
    EXPECT_EQ(window().Label8->text(), "系统正常模式已运行00:00:05");
}

TEST_F(StatusSearchFormTest, EachTickRenewsTheClockTheUpTimeAndTheTimerPanelsTime)
{
    window().timerPanel();
    fakes.clock.time = LocalTime::at(2026, 12, 12, 9, 5, 7);
    fakes.system.upTime = 36'000'000;
    fakes.system.mode = 2;
    window().Timer2_Timer();
    EXPECT_EQ(window().Label5->text(), " 2026年12月12日 星期六 €09:05:07");
    EXPECT_EQ(window().timerPanel().Label4[2]->text(), "当前时间:09:05:07");
    EXPECT_EQ(window().Label8->text(), "系统网络安全模式已运行10:00:00");
    EXPECT_EQ(window().Label8->width(), window().Label8->sizeHint().width());

    // A system that cannot tell its up-time leaves the last text standing.
    fakes.system.upTime.reset();
    fakes.clock.time.sinceMidnight += std::chrono::seconds(1);
    window().Timer2_Timer();
    EXPECT_EQ(window().Label8->text(), "系统网络安全模式已运行10:00:00");
    EXPECT_EQ(window().Label5->text(), " 2026年12月12日 星期六 €09:05:08");
}

TEST_F(StatusSearchFormTest, ADoubleClickOnTheTitleRollsTheWindowUpAndBack)
{
    const QPoint corner = window().pos();
    mouse::doubleClick(window().Label3, {20, 5});
    EXPECT_TRUE(window().rolledUp());
    EXPECT_EQ(window().size(), QSize(305, 31));
    EXPECT_EQ(window().pos(), corner);
    EXPECT_EQ(window().Label3->text(), "2026年12月6日 星期日 €16:49:53");

    fakes.clock.time.sinceMidnight += std::chrono::seconds(1);
    window().Timer2_Timer();
    EXPECT_EQ(window().Label3->text(), "2026年12月6日 星期日 €16:49:54");

    mouse::doubleClick(window().Label3, {20, 5});
    EXPECT_FALSE(window().rolledUp());
    EXPECT_EQ(window().size(), QSize(305, 442));
    EXPECT_EQ(window().Label3->text(), toQt(titleText(3)));
    window().Timer2_Timer();
    EXPECT_EQ(window().Label3->text(), toQt(titleText(3)));
}

TEST_F(StatusSearchFormTest, SearchOpensTheBuiltUrlAndRefusesOnlyAnEmptyQuery)
{
    search().Command17->click();
    EXPECT_EQ(messages(), QStringList({toQt(applicationTitle()) + "|请输入要搜索的内容！"}));
    EXPECT_TRUE(fakes.shell.urls.isEmpty());

    search().Text3->setText("   ");
    search().Command17->click();
    search().Option13->setChecked(true);
    search().Text3->setText("中文 a&b#c%");
    QTest::keyClick(search().Text3, Qt::Key_Return);
    search().Option9->setChecked(true);
    search().Command17->click();
    EXPECT_EQ(fakes.shell.urls,
              QStringList({"http://www.baidu.com/s?wd=   ",
                           "http://zhidao.baidu.com/q?word= 中文 a&b#c%&fr=search&ct=17&pn=0&tn=ikaslist&rn=30",
                           "http://www.google.cn/search?hl=zh-CN&q=中文 a&b#c%"}));
    EXPECT_EQ(search().Text3->text(), "中文 a&b#c%");
    EXPECT_EQ(window().panels().topmost(), 2);
}

TEST_F(StatusSearchFormTest, FindStepsThroughTheListAndRemembersWhereAcrossAHide)
{
    search().Text3->setText("QQ");
    mouse::doubleClick(search().Text3, {5, 5});
    EXPECT_EQ(window().currentText(), "● QQ");

    form2.reset();  // hidden and shown again: the place is kept
    search().Text3->setText("QQ");
    mouse::doubleClick(search().Text3, {5, 5});
    EXPECT_EQ(window().currentText(), "● QQ音乐");
    mouse::doubleClick(search().Text3, {5, 5});
    EXPECT_EQ(messages(), QStringList({"提示|查找完毕!"}));
    mouse::doubleClick(search().Text3, {5, 5});
    EXPECT_EQ(window().currentText(), "● QQ");
}

}  // namespace
