#include "Fakes.h"
#include "MouseEvents.h"

#include "app/Form2.h"
#include "app/MouseLabel.h"
#include "core/window/TitleText.h"
#include "core/profile/Profile.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kNotepad = QStringLiteral("/usr/bin/notepad");
const QString kZip = QStringLiteral("/opt/zip tools/zip");

class LauncherFormTest : public ::testing::Test {
protected:
    LauncherFormTest()
    {
        folder.writeProfile(QStringLiteral("[标题]\nCount=2\n000=● Notepad\n001=● Zip\n"
                                           "[● Notepad]\nFilename=%1\n[● Zip]\nFilename=%2\n")
                                .arg(kNotepad, kZip));
        fakes.files.existing << kNotepad << kZip;
    }

    Form2& window()
    {
        if (!form2) {
            form2 = std::make_unique<Form2>(fakes.platform, memory);
            form2->show();
        }
        return *form2;
    }
    void reopen()
    {
        form2.reset();
        window();
    }

    QStringList entries()
    {
        QStringList texts;
        for (int i = 0; i < window().List1->count(); ++i)
            texts << window().List1->item(i)->text();
        return texts;
    }
    void select(const QString& text)
    {
        const auto found = window().List1->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        window().List1->setCurrentItem(found.first());
    }
    void add(const QString& path, const QString& name)
    {
        window().ShowPanel(0);
        window().addPanel().Text1->setText(path);
        window().addPanel().Text2->setText(name);
        window().addPanel().Command2->click();
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& shown : fakes.messages.shown)
            texts << shown.title + QLatin1Char('|') + shown.text;
        return texts;
    }
    QString profileText() { return toQt(fakes.codePage.decode(folder.readBytes(QStringLiteral("Ombrel.ini")).toStdString())); }
    QString value(const QString& section, const QString& key)
    {
        return toQt(GetINI(profileAccess(fakes), toStd(section), toStd(key), toStd(folder.profile())));
    }

    TempFolder folder;
    FakePlatform fakes{folder.path()};
    Form2Memory memory;
    std::unique_ptr<Form2> form2;
};

TEST_F(LauncherFormTest, AddPutsTheItemInItsSortedPlaceAndRewritesTheIndex)
{
    add(QStringLiteral("/usr/bin/paint"), QStringLiteral("Paint"));

    EXPECT_EQ(entries(), QStringList({"● Notepad", "● Paint", "● Zip"}));
    EXPECT_EQ(value("● Paint", "Filename"), "/usr/bin/paint");
    EXPECT_EQ(value("标题", "000"), "● Notepad");
    EXPECT_EQ(value("标题", "001"), "● Paint");
    EXPECT_EQ(value("标题", "002"), "● Zip");
    EXPECT_EQ(value("标题", "Count"), "3");
    EXPECT_EQ(window().Label3->text(), toQt(titleText(3)));
    // The boxes are emptied and the panel stays for the next item.
    EXPECT_TRUE(window().addPanel().Text1->text().isEmpty());
    EXPECT_TRUE(window().addPanel().Text2->text().isEmpty());
    EXPECT_EQ(window().panels().topmost(), 0);
    EXPECT_TRUE(messages().isEmpty());

    reopen();
    EXPECT_EQ(entries(), QStringList({"● Notepad", "● Paint", "● Zip"}));
}

TEST_F(LauncherFormTest, ChineseNamesSortByPinyinAfterLatinAndSurviveAReload)
{
    add(QStringLiteral("/usr/bin/gedit"), QStringLiteral("记事本"));
    add(QStringLiteral("/usr/bin/kolourpaint"), QStringLiteral("画图"));
    add(QStringLiteral("/usr/bin/z"), QStringLiteral("zip"));  // equal to "Zip" but for case: after it
    EXPECT_EQ(entries(), QStringList({"● Notepad", "● Zip", "● zip", "● 画图", "● 记事本"}));
    reopen();
    EXPECT_EQ(entries(), QStringList({"● Notepad", "● Zip", "● zip", "● 画图", "● 记事本"}));
}

TEST_F(LauncherFormTest, TheLoadSortsAListThatWasWrittenOutOfOrder)
{
    folder.writeProfile("[标题]\nCount=4\n000=● 记事本\n001=● b\n002=● 画图\n003=● A\n");
    EXPECT_EQ(entries(), QStringList({"● A", "● b", "● 画图", "● 记事本"}));
}

TEST_F(LauncherFormTest, EmptyOrUnstorableInputIsRefusedAndNothingIsWritten)
{
    const QByteArray before = folder.readBytes("Ombrel.ini");
    add("", "x");
    add("/usr/bin/x", "");
    add("/usr/bin/x", "two\nlines");
    add("/usr/bin/x", QString(5000, QChar(0x753B)));
    EXPECT_EQ(messages(), QStringList({"提示|路径不能为空！！！", "提示|名称不能为空！！！",
                                       "提示|名称不能含有换行符！！！", "提示|名称太长，无法保存！！！"}));
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
    EXPECT_EQ(window().List1->count(), 2);
    // Refused input stays in the boxes so it can be mended.
    EXPECT_EQ(window().addPanel().Text1->text(), "/usr/bin/x");
}

TEST_F(LauncherFormTest, BrowseFillsThePathAndTheFileNameAndCancelChangesNothing)
{
    window().ShowPanel(0);
    window().addPanel().Text1->setText("kept");
    window().addPanel().Command1->click();  // cancelled
    EXPECT_EQ(window().addPanel().Text1->text(), "kept");

    fakes.fileDialogs.nextChoice = "/opt/odd\nname/tool";
    fakes.files.existing << "/opt/odd\nname/tool";
    window().addPanel().Command1->click();
    EXPECT_EQ(window().addPanel().Text1->text(), "/opt/odd\nname/tool");
    EXPECT_EQ(window().addPanel().Text2->text(), "tool");
    window().addPanel().Command2->click();
    EXPECT_EQ(messages(), QStringList({"提示|路径不能含有换行符！！！"}));
    EXPECT_EQ(fakes.fileDialogs.shown, 2);
}

TEST_F(LauncherFormTest, NamesWithIniSyntaxBlanksAndCharactersOutsideGbkRoundTrip)
{
    const QString name = QStringLiteral(" [a]=b;c#\"d\" 😀 ");
    const QString path = QStringLiteral(" /tmp/x [y]=z;#\"😀\" ");
    fakes.files.existing << path;
    add(path, name);
    reopen();
    select("● " + name);
    window().Command5_Click();
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    EXPECT_EQ(fakes.links.saved[0].fields.target, path);
    EXPECT_EQ(fakes.links.saved[0].fields.name, name);
}

TEST_F(LauncherFormTest, DeleteAsksAndRewritesTheIndexButKeepsTheItemSection)
{
    window().Command6->click();
    EXPECT_EQ(messages(), QStringList({"提示|请选择要删除的项目!"}));

    select("● Notepad");
    fakes.messages.nextAnswer = false;
    const QByteArray before = folder.readBytes("Ombrel.ini");
    window().Command6->click();
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
    EXPECT_EQ(window().List1->count(), 2);

    fakes.messages.nextAnswer = true;
    window().Command6->click();
    EXPECT_EQ(messages().last(), toQt(applicationTitle()) + "|确定删除吗？");
    EXPECT_EQ(entries(), QStringList({"● Zip"}));
    EXPECT_EQ(value("标题", "Count"), "1");
    EXPECT_EQ(value("标题", "000"), "● Zip");
    EXPECT_EQ(value("标题", "001"), "● Zip");  // the old last key stays
    EXPECT_EQ(value("● Notepad", "Filename"), kNotepad);
    EXPECT_EQ(window().Label3->text(), toQt(titleText(1)));
}

TEST_F(LauncherFormTest, AnEmptyEntryCannotBeDeletedAloneButAClearRemovesIt)
{
    folder.writeProfile("[标题]\nCount=2\n000=● a\n");
    ASSERT_EQ(entries(), QStringList({"", "● a"}));
    window().List1->setCurrentRow(0);
    window().Command6->click();
    EXPECT_EQ(messages(), QStringList({"提示|请选择要删除的项目!"}));

    fakes.messages.nextAnswer = true;
    window().Command8->click();
    EXPECT_EQ(messages().last(), toQt(applicationTitle()) + "|确定全部删除吗？");
    EXPECT_EQ(window().List1->count(), 0);
    EXPECT_EQ(value("标题", "Count"), "0");
    EXPECT_EQ(value("标题", "000"), "● a");
    EXPECT_EQ(window().Label3->text(), toQt(titleText(0)));
}

TEST_F(LauncherFormTest, ClearOnAnEmptyListAsksNothingAndWritesNothing)
{
    QFile::remove(folder.profile());
    window().Command8->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(QFile::exists(folder.profile()));
    EXPECT_EQ(window().Label3->text(), toQt(titleText(0)));
}

TEST_F(LauncherFormTest, AFailedSaveIsToldOnceAndTheListKeepsWhatTheFileHolds)
{
    window();
    QFile::setPermissions(folder.profile(), QFile::ReadOwner);
    add("/usr/bin/paint", "Paint");
    select("● Zip");
    fakes.messages.nextAnswer = true;
    window().Command6->click();
    window().Command8->click();
    ASSERT_EQ(fakes.messages.shown.size(), 5u);  // a notice after each command, and the two questions
    EXPECT_TRUE(fakes.messages.shown[0].text.contains("只读"));
    EXPECT_EQ(entries(), QStringList({"● Notepad", "● Zip"}));
    EXPECT_EQ(window().addPanel().Text2->text(), "Paint");
}

TEST_F(LauncherFormTest, TheMenuActsOnTheEntryThatWasCurrentBeforeTheRightPress)
{
    select("● Zip");
    fakes.menus.nextChoice = QStringLiteral("删除");
    fakes.messages.nextAnswer = true;
    const QRect first = window().List1->visualItemRect(window().List1->item(0));
    mouse::press(window().List1->viewport(), first.center(), Qt::RightButton);
    EXPECT_EQ(entries(), QStringList({"● Notepad"}));
}

TEST_F(LauncherFormTest, StartWritesTheLaunchShortcutAndHandsItToTheShell)
{
    window().Command5->click();
    EXPECT_EQ(messages(), QStringList({"提示|请选择要启动的项目!"}));

    select("● Zip");
    QSignalSpy closing(&window(), &Form2::hideRequested);
    window().Command5->click();
    ASSERT_EQ(fakes.links.saved.size(), 1u);
    const auto& saved = fakes.links.saved[0];
    EXPECT_EQ(saved.file, folder.path() + "/Ombrel.desktop");
    EXPECT_EQ(saved.fields.target, kZip);
    EXPECT_EQ(saved.fields.workingDirectory, "/opt/zip tools/");
    EXPECT_EQ(saved.fields.hotkey, "ALT+CTRL+R");
    EXPECT_EQ(saved.fields.name, "Zip");
    EXPECT_EQ(fakes.shell.opened, QStringList({saved.file}));
    EXPECT_EQ(closing.count(), 0);  // the start button leaves the window open

    fakes.menus.nextChoice = QStringLiteral("启动");
    mouse::press(window().List1->viewport(), {5, 5}, Qt::RightButton);
    EXPECT_EQ(fakes.shell.opened.size(), 2);
}

TEST_F(LauncherFormTest, ADoubleClickClosesTheWindowOnlyWhenTheStartGotThrough)
{
    QSignalSpy closing(&window(), &Form2::hideRequested);
    const QRect first = window().List1->visualItemRect(window().List1->item(0));

    fakes.shell.nextResult = PlatformResult::failure("no handler");
    mouse::doubleClick(window().List1->viewport(), first.center());
    EXPECT_EQ(fakes.shell.opened.size(), 1);
    EXPECT_EQ(closing.count(), 0);
    EXPECT_TRUE(messages().isEmpty());  // a failed start ends quietly

    fakes.shell.nextResult = PlatformResult::success();
    fakes.files.existing.removeAll(kNotepad);
    mouse::doubleClick(window().List1->viewport(), first.center());
    EXPECT_EQ(messages(), QStringList({"提示|设置有误，启动失败！！！"}));
    EXPECT_EQ(closing.count(), 0);
    EXPECT_EQ(fakes.links.saved.size(), 1u);  // the shortcut keeps the previous target

    fakes.files.existing << kNotepad;
    mouse::doubleClick(window().List1->viewport(), first.center());
    EXPECT_EQ(closing.count(), 1);
}

TEST_F(LauncherFormTest, FileFolderOpensTheTargetsFolderOrSaysWhy)
{
    window().wenjianmulu->trigger();
    select("● Zip");
    window().wenjianmulu->trigger();
    EXPECT_EQ(fakes.shell.folders, QStringList({"/opt/zip tools/"}));

    fakes.shell.nextResult = PlatformResult::failure("没有文件管理器");
    window().wenjianmulu->trigger();
    fakes.files.existing.clear();
    window().wenjianmulu->trigger();
    EXPECT_EQ(messages(), QStringList({"提示|请选择打开目录的项目!", "提示|无法打开文件目录：没有文件管理器",
                                       "提示|此文件已不存在!"}));
}

TEST_F(LauncherFormTest, ShortcutsArePlacedUnderTheItemsNameInTheChosenFolder)
{
    window().zaizhuomian->trigger();
    EXPECT_EQ(messages(), QStringList({"提示|请选择要创建的项目!"}));

    add("/usr/bin/gedit", "● 记事本");
    fakes.files.existing << "/usr/bin/gedit";
    select("● ● 记事本");
    window().zaizhuomian->trigger();
    window().zaikaishicaidan->trigger();
    window().zaikuaisuqidong->trigger();
    ASSERT_EQ(fakes.links.saved.size(), 3u);
    EXPECT_EQ(fakes.links.saved[0].file, "/home/u/桌面/记事本.desktop");
    EXPECT_EQ(fakes.links.saved[1].file, "/home/u/.local/share/applications/记事本.desktop");
    EXPECT_EQ(fakes.links.saved[2].file, fakes.links.saved[1].file);
    EXPECT_EQ(fakes.links.saved[0].fields.target, "/usr/bin/gedit");
    EXPECT_EQ(fakes.links.saved[0].fields.workingDirectory, "/usr/bin/");
    EXPECT_TRUE(fakes.links.saved[0].fields.hotkey.isEmpty());

    fakes.links.nextResult = PlatformResult::failure("disk full");
    window().zaizhuomian->trigger();
    fakes.files.existing.clear();
    window().zaizhuomian->trigger();
    EXPECT_EQ(messages().size(), 2);  // the failed save says nothing
    EXPECT_EQ(messages().last(), "提示|此文件已不存在，创建失败！！！");
}

TEST_F(LauncherFormTest, TheTooltipNamesThePathOfTheEntryUnderThePointer)
{
    const QRect second = window().List1->visualItemRect(window().List1->item(1));
    mouse::move(window().List1->viewport(), second.center());
    EXPECT_EQ(window().List1->toolTip(), "路径:" + kZip);
    // The list shows it when the pointer rests over its entries.
    QHelpEvent rest(QEvent::ToolTip, second.center(), window().List1->viewport()->mapToGlobal(second.center()));
    QApplication::sendEvent(window().List1->viewport(), &rest);
    EXPECT_EQ(QToolTip::text(), "路径:" + kZip);
    QToolTip::hideText();
    mouse::move(window().List1->viewport(), second.center() + QPoint(0, 3 * second.height()));
    EXPECT_TRUE(window().List1->toolTip().isEmpty());
    // While a button is held the tip is left alone.
    mouse::move(window().List1->viewport(), second.center(), Qt::LeftButton);
    EXPECT_TRUE(window().List1->toolTip().isEmpty());
}

TEST_F(LauncherFormTest, AListClickNamesTheItemForTheTimerPanelWhileItsBoxIsOpen)
{
    TimerPanel& timer = window().timerPanel();
    select("● Zip");
    EXPECT_EQ(timer.Text7->text(), "请在列表中选择!");  // run-program not chosen

    timer.Option7->setChecked(true);
    select("● Notepad");
    EXPECT_EQ(timer.Text7->text(), "Notepad");

    timer.Text7->setReadOnly(true);  // a running schedule locks it
    select("● Zip");
    EXPECT_EQ(timer.Text7->text(), "Notepad");
}

}  // namespace
