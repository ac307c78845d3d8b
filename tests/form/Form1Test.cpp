#include "Fakes.h"

#include "app/Form1.h"
#include "core/window/TitleText.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Form1Test : public ::testing::Test {
protected:
    Form1Test()
    {
        folder.writeProfile("[标题]\nCount=2\n000=● 画图\n001=● 记事本\n");
    }

    static void processDeferredDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QStringList listOnScreen() const
    {
        QStringList texts;
        for (int i = 0; i < form1.mainWindow()->List1->count(); ++i)
            texts << form1.mainWindow()->List1->item(i)->text();
        return texts;
    }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    FakeInstanceLock lock;
    Form1 form1{fakes.platform};
};

TEST_F(Form1Test, ASecondCopyEndsWithoutAWindowOrIcon)
{
    lock.anotherRunning = true;
    EXPECT_FALSE(form1.start(lock));
    EXPECT_EQ(form1.mainWindow(), nullptr);
    EXPECT_EQ(fakes.tray.installs, 0);
}

TEST_F(Form1Test, StartShowsTheMainWindowThenInstallsTheIconWithTheCountAsLoaded)
{
    ASSERT_TRUE(form1.start(lock));
    ASSERT_NE(form1.mainWindow(), nullptr);
    EXPECT_TRUE(form1.mainWindow()->isVisible());
    EXPECT_EQ(listOnScreen(), (QStringList{"● 画图", "● 记事本"}));
    EXPECT_EQ(fakes.tray.installs, 1);
    EXPECT_EQ(fakes.tray.tips, QStringList{toQt(titleText(2))});
    EXPECT_EQ(fakes.tray.lastIcon.availableSizes().size(), 4);
}

TEST_F(Form1Test, TheTipKeepsTheCountFromStart)
{
    form1.start(lock);
    form1.mainWindow()->List1->addItem("● 新");
    form1.mainWindow()->setTitleStrip(toQt(titleText(3)));
    fakes.tray.send(TrayEvent::Show);
    EXPECT_EQ(fakes.tray.installs, 1);
    EXPECT_EQ(fakes.tray.tips, QStringList{toQt(titleText(2))});
}

TEST_F(Form1Test, ShowingAVisibleWindowDoesNotLoadItAgain)
{
    form1.start(lock);
    Form2* window = form1.mainWindow();
    folder.writeProfile("[标题]\nCount=1\n000=● changed\n");
    fakes.tray.send(TrayEvent::Show);
    EXPECT_EQ(form1.mainWindow(), window);
    EXPECT_EQ(listOnScreen(), (QStringList{"● 画图", "● 记事本"}));
}

TEST_F(Form1Test, HideDestroysTheWindowAndShowMakesItAnewFromTheProfile)
{
    form1.start(lock);
    form1.mainWindow()->ShowPanel(3);
    QPointer<Form2> old = form1.mainWindow();
    form1.mainWindow()->Command9->click();
    EXPECT_EQ(form1.mainWindow(), nullptr);
    processDeferredDeletes();
    EXPECT_TRUE(old.isNull());

    folder.writeProfile("[标题]\nCount=1\n000=● changed\n");
    fakes.tray.send(TrayEvent::Show);
    ASSERT_NE(form1.mainWindow(), nullptr);
    EXPECT_EQ(listOnScreen(), QStringList{"● changed"});
    // The panels start hidden and the slide timer stopped; the panel index lives on.
    EXPECT_FALSE(form1.mainWindow()->Timer1->isActive());
    EXPECT_EQ(form1.mainWindow()->panels().top(3), PanelDeck::kHiddenTop);
    EXPECT_EQ(form1.memory().PanelIndex, 3);
}

TEST_F(Form1Test, AWindowClosedByTheWindowManagerComesBackFromTheTray)
{
    form1.start(lock);
    form1.mainWindow()->close();
    EXPECT_EQ(form1.mainWindow(), nullptr);
    processDeferredDeletes();
    fakes.tray.send(TrayEvent::Show);
    ASSERT_NE(form1.mainWindow(), nullptr);
    EXPECT_TRUE(form1.mainWindow()->isVisible());
}

TEST_F(Form1Test, TheTrayMenuOffersShowAndExit)
{
    form1.start(lock);
    form1.hideMainWindow();

    fakes.tray.send(TrayEvent::Other);
    EXPECT_TRUE(fakes.menus.shownMenus.isEmpty());
    EXPECT_EQ(form1.mainWindow(), nullptr);

    fakes.menus.nextChoice = "显示";
    fakes.tray.send(TrayEvent::MenuRequest);
    EXPECT_EQ(fakes.menus.shownItems.back(), (QStringList{"显示", "退出"}));
    EXPECT_NE(form1.mainWindow(), nullptr);

    fakes.tray.send(TrayEvent::MenuRequest);  // dismissed
    EXPECT_EQ(fakes.process.exits, 0);
    fakes.menus.nextChoice = "退出";
    fakes.tray.send(TrayEvent::MenuRequest);
    EXPECT_EQ(fakes.process.exits, 1);
}

}  // namespace
