#include "FakeSession.h"

#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs answer on the message box that the next call shows, once it is up.
void whenShown(std::function<void(QMessageBox&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is shown";
            return;
        }
        answer(*box);
    });
}

TEST(QtMessageBoxes, ANoticeShowsItsTextAndHasOnlyOkAndNoIcon)
{
    QtMessageBoxes boxes;
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::Critical;
    whenShown([&](QMessageBox& box) {
        icon = box.icon();
        title = box.windowTitle();
        text = box.text();
        for (QAbstractButton* button : box.buttons())
            buttons << button->text();
        box.button(QMessageBox::Ok)->click();
    });
    boxes.inform("提示 \"'&", "第一行\n第二行 ●");
    EXPECT_EQ(title, QStringLiteral("提示 \"'&"));
    EXPECT_EQ(text, QStringLiteral("第一行\n第二行 ●"));
    EXPECT_EQ(buttons, QStringList{QStringLiteral("确定")});
    EXPECT_EQ(icon, QMessageBox::NoIcon);
}

TEST(QtMessageBoxes, AQuestionIsYesOnlyForOkAndShowsTheExclamationIcon)
{
    QtMessageBoxes boxes;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown([&icon](QMessageBox& box) {
        icon = box.icon();
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_TRUE(boxes.confirm("删除", "确实要删除吗？"));
    EXPECT_EQ(icon, QMessageBox::Warning);

    whenShown([](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); });
    EXPECT_FALSE(boxes.confirm("删除", "确实要删除吗？"));

    // Enter takes the default button, which is Cancel; Escape is Cancel too.
    QString cancelText;
    whenShown([&cancelText](QMessageBox& box) {
        cancelText = box.button(QMessageBox::Cancel)->text();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_FALSE(boxes.confirm("删除", "确实要删除吗？"));
    EXPECT_EQ(cancelText, QStringLiteral("取消"));

    whenShown([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_FALSE(boxes.confirm("删除", "确实要删除吗？"));
}

TEST(QtMessageBoxes, ABoxOpensOverTheActiveWindow)
{
    QWidget window;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        GTEST_SKIP() << "this display does not activate windows";

    QtMessageBoxes boxes;
    QWidget* parent = nullptr;
    whenShown([&parent](QMessageBox& box) {
        parent = box.parentWidget();
        box.button(QMessageBox::Ok)->click();
    });
    boxes.inform("标题", "正文");
    EXPECT_EQ(parent, &window);

    // The window takes the focus back from the closed box first.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    parent = nullptr;
    whenShown([&parent](QMessageBox& box) {
        parent = box.parentWidget();
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(boxes.confirm("标题", "正文"));
    EXPECT_EQ(parent, &window);
}

}  // namespace
