#include "FakePlatform.h"
#include "MouseEvents.h"

#include "ui/qt/AppSession.h"
#include "ui/qt/LockSetupWindow.h"
#include "ui/qt/LockWindow.h"
#include "ui/qt/MouseLabel.h"
#include "ui/qt/QuickPanel.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class LockWindowsTest : public ::testing::Test {
protected:
    LockWindowsTest()
    {
        folder.writeProfile("[标题]\nCount=1\n000=● 画图\n");
        session->start();
    }
    ~LockWindowsTest() override
    {
        session.reset();
        settle();
    }

    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // 锁屏 on the quick panel; returns the set-up it opened.
    LockSetupWindow* openSetup()
    {
        MainWindow* window = session->mainWindow();
        window->frame().presenter().showPanel(Panel::QuickButtons);
        window->quickPanel().lockButton()->click();
        settle();
        return session->lockSetup();
    }
    LockWindow* lockWith(const QString& password)
    {
        LockSetupWindow* setup = openSetup();
        setup->passwordBox()->setText(password);
        setup->repeatBox()->setText(password);
        setup->okButton()->click();
        settle();
        return session->lockWindow();
    }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    std::unique_ptr<AppSession> session = std::make_unique<AppSession>(fakes.platform);
};

// The set-up: 3915 x 2580 twips centred, the focus on 取消 and the keyboard
// order 取消, 确定, repeat, password; the passwords as "*" and out of reach of
// an input method. A close by the window manager neither locks nor brings the
// main window back.
TEST_F(LockWindowsTest, TheSetUpIsPlacedOrderedAndClosedByTheWindowManagerLeavesNothingOpen)
{
    QPointer<LockSetupWindow> setup = openSetup();
    ASSERT_FALSE(setup.isNull());
    EXPECT_TRUE(setup->isVisible());
    EXPECT_EQ(session->mainWindow(), nullptr);
    EXPECT_EQ(setup->size(), QSize(261, 172));
    EXPECT_EQ(setup->pos(), QPoint((1280 - 261) / 2, (800 - 172) / 2));
    EXPECT_EQ(setup->passwordBox()->geometry(), QRect(80, 40, 161, 25));
    EXPECT_EQ(setup->cancelButton()->geometry(), QRect(104, 120, 57, 25));
    EXPECT_EQ(setup->okButton()->geometry(), QRect(176, 120, 65, 25));
    EXPECT_EQ(setup->focusWidget(), setup->cancelButton());
    std::vector<QWidget*> tabOrder;
    for (QWidget* w = setup->nextInFocusChain(); w != setup.data(); w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder.push_back(w);
    }
    EXPECT_EQ(tabOrder, (std::vector<QWidget*>{setup->cancelButton(), setup->okButton(), setup->repeatBox(),
                                               setup->passwordBox()}));
    for (QLineEdit* box : {setup->passwordBox(), setup->repeatBox()}) {
        box->setText("pw 1");
        EXPECT_EQ(box->displayText(), "****");
        EXPECT_FALSE(box->testAttribute(Qt::WA_InputMethodEnabled));
    }
    QTest::keyClick(setup->repeatBox(), Qt::Key_Return);  // no default button
    EXPECT_TRUE(fakes.core.messages.shown.empty());

    static_cast<QWidget*>(setup.data())->close();  // as Alt+F4
    settle();
    EXPECT_TRUE(setup.isNull());
    EXPECT_EQ(session->mainWindow(), nullptr);
    EXPECT_EQ(session->lockWindow(), nullptr);
    EXPECT_TRUE(fakes.core.messages.shown.empty());
    EXPECT_FALSE(fakes.lockGuard.pointerConfined);
}

// Two equal passwords put the lock up over the screen, held; the wrong
// password is told and its click does nothing; the right one, checked as the
// pointer comes back onto the button, unlocks and brings the main window
// back. A second lock holds as the first did.
TEST_F(LockWindowsTest, TheLockHoldsUntilTheRightPasswordIsCheckedAndClicked)
{
    for (int round = 0; round < 2; ++round) {
        QPointer<LockWindow> lock = lockWith("Secret");
        ASSERT_FALSE(lock.isNull());
        EXPECT_EQ(session->lockSetup(), nullptr);
        EXPECT_EQ(session->mainWindow(), nullptr);
        EXPECT_TRUE(lock->isVisible());
        EXPECT_TRUE(lock->geometry().contains(QRect(0, 0, 1280, 800)));
        EXPECT_EQ(fakes.lockGuard.confinedTo, (PixelRect{513, 307, 767, 493}));
        EXPECT_TRUE(fakes.lockGuard.pointerConfined);
        EXPECT_TRUE(fakes.lockGuard.keyboardHeld);
        EXPECT_EQ(fakes.lockGuard.alpha, 150);
        EXPECT_TRUE(lock->tickTimer()->isActive());
        EXPECT_EQ(lock->tickTimer()->interval(), 300);
        EXPECT_EQ(lock->contextMenuPolicy(), Qt::NoContextMenu);
        EXPECT_FALSE(lock->entry()->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_EQ(lock->restPicture()->size(), QSize(140, 40));
        // Entry and button inside the pointer's rectangle.
        const QRect rect(513, 307, 767 - 513, 493 - 307);
        EXPECT_TRUE(rect.contains(lock->entry()->geometry()));
        EXPECT_TRUE(rect.contains(lock->restPicture()->geometry()));

        lock->entry()->setText("secret");
        mouse::move(lock->restPicture(), {10, 10});
        EXPECT_TRUE(lock->highlightedPicture()->isVisibleTo(lock));
        EXPECT_FALSE(lock->restPicture()->isVisibleTo(lock));
        EXPECT_EQ(lock->message()->text(), "密码错误！请正确输入您的密码。");
        mouse::click(lock->highlightedPicture(), {10, 10});
        EXPECT_TRUE(lock->isVisible());

        lock->entry()->setText("Secret");
        mouse::move(lock->highlightedPicture(), {12, 12});  // no new check over the highlighted picture
        EXPECT_EQ(lock->message()->text(), "密码错误！请正确输入您的密码。");
        mouse::move(lock, {5, 5});
        EXPECT_TRUE(lock->restPicture()->isVisibleTo(lock));
        mouse::move(lock->restPicture(), {10, 10});
        EXPECT_EQ(lock->message()->text(), "密码正确！点击解锁即可。");
        mouse::click(lock->highlightedPicture(), {10, 10});
        settle();
        EXPECT_TRUE(lock.isNull());
        ASSERT_NE(session->mainWindow(), nullptr);
        EXPECT_TRUE(session->mainWindow()->isVisible());
        EXPECT_FALSE(fakes.lockGuard.pointerConfined);
        EXPECT_FALSE(fakes.lockGuard.keyboardHeld);
    }
}

// A grab another program holds: the user is told, nothing stays held and
// the main window comes back. 取消 brings it back too.
TEST_F(LockWindowsTest, ARefusedGrabOrCancelBringsTheMainWindowBack)
{
    fakes.lockGuard.keyboardRefusal = "另一个程序占用了键盘";
    EXPECT_EQ(lockWith("pw"), nullptr);
    EXPECT_EQ(fakes.core.messages.texts().back(), "锁屏失败：另一个程序占用了键盘");
    EXPECT_FALSE(fakes.lockGuard.pointerConfined);
    EXPECT_EQ(session->lockSetup(), nullptr);
    ASSERT_NE(session->mainWindow(), nullptr);
    EXPECT_TRUE(session->mainWindow()->isVisible());

    LockSetupWindow* setup = openSetup();
    setup->cancelButton()->click();
    settle();
    EXPECT_EQ(session->lockSetup(), nullptr);
    ASSERT_NE(session->mainWindow(), nullptr);
    EXPECT_TRUE(session->mainWindow()->isVisible());
}

// Keys held with Ctrl, Alt or the Windows key never type; F4, the Windows
// keys and the menu key go nowhere; nothing is pasted or handed over by an
// input method; letters, digits, Backspace and Enter reach the entry.
TEST_F(LockWindowsTest, TheEntryTakesOnlyPlainKeys)
{
    LockWindow* lock = lockWith("pw");
    ASSERT_NE(lock, nullptr);
    QLineEdit* entry = lock->entry();
    QTest::keyClicks(entry, "aB3");
    QTest::keyClick(entry, Qt::Key_Backspace);
    QTest::keyClick(entry, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(entry, Qt::Key_A, Qt::ControlModifier);  // select all, were it let through
    QTest::keyClick(entry, Qt::Key_X, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("pasted");
    QTest::keyClick(entry, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent commit;
    commit.setCommitString("committed");
    QCoreApplication::sendEvent(entry, &commit);
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(entry->text(), "aB");

    const auto drops = [](int key, Qt::KeyboardModifiers held) {
        QKeyEvent event(QEvent::KeyPress, key, held);
        return lockDropsKey(event);
    };
    EXPECT_TRUE(drops(Qt::Key_Tab, Qt::AltModifier));
    EXPECT_TRUE(drops(Qt::Key_Escape, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_TRUE(drops(Qt::Key_F4, Qt::NoModifier));
    EXPECT_TRUE(drops(Qt::Key_Super_L, Qt::NoModifier));
    EXPECT_TRUE(drops(Qt::Key_Menu, Qt::NoModifier));
    EXPECT_FALSE(drops(Qt::Key_A, Qt::ShiftModifier));
    EXPECT_FALSE(drops(Qt::Key_Return, Qt::NoModifier));
    EXPECT_FALSE(drops(Qt::Key_Backspace, Qt::NoModifier));
}

}  // namespace
