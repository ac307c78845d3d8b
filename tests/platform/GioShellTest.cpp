#include "FakeSession.h"

#include "platform/linux/DesktopEntryLinks.h"
#include "platform/linux/GioShell.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Names that break naive quoting at one level or another: the Exec quoting,
// the string escapes, field codes and the shell.
const QStringList awkwardNames = {
    QStringLiteral("with blank"),  QStringLiteral("double\"quote"), QStringLiteral("single'quote"),
    QStringLiteral("$HOME dollar"), QStringLiteral("back`tick`"),    QStringLiteral("100% %f"),
    QStringLiteral("back\\slash\\"), QStringLiteral("中文 名称"),      QStringLiteral("all \"'$`%\\ 混合=1"),
};

class GioShellTest : public ::testing::Test {
protected:
    // Saves the launch shortcut for target, working in the target's folder,
    // checks it, and opens it.
    QStringList launchThroughShortcut(const QString& target)
    {
        const QString folder = QFileInfo(target).path();
        const QString shortcut = fake::root() + QStringLiteral("/program folder/Ombrel.desktop");
        QDir().mkpath(QFileInfo(shortcut).path());
        const Result saved = links.save(toStd(shortcut), {"Ombrel", toStd(target), toStd(folder + u'/'), "ALT+CTRL+R"});
        EXPECT_TRUE(saved.ok()) << saved.reason;
        EXPECT_EQ(fake::validationProblems(shortcut), QString());
        return fake::record([&] { return shell.open(toStd(shortcut)); });
    }

    static QString awkwardFolder(const QString& name)
    {
        const QString folder = fake::root() + QStringLiteral("/places/") + name;
        QDir().mkpath(folder);
        return QFileInfo(folder).canonicalFilePath();
    }

    DesktopEntryLinks links{[](const std::string&) { return Result::success(); }};
    GioShell shell;
};

TEST_F(GioShellTest, AProgramRunsInItsFolderWhateverItsPathHolds)
{
    for (const QString& name : awkwardNames) {
        SCOPED_TRACE(name.toStdString());
        const QString folder = awkwardFolder(name);
        const QString program = folder + u'/' + name;
        fake::writeFile(program, fake::recorderScript(), 0755);
        EXPECT_EQ(launchThroughShortcut(program), QStringList({folder, program}));
    }
}

TEST_F(GioShellTest, ADocumentReachesItsDefaultApplicationUnchanged)
{
    for (const QString& name : awkwardNames) {
        SCOPED_TRACE(name.toStdString());
        const QString folder = awkwardFolder(name);
        const QString document = folder + u'/' + name + QStringLiteral(".txt");
        fake::writeFile(document, "text");
        // Through gio open, which starts the handler in the shortcut's folder.
        EXPECT_EQ(launchThroughShortcut(document), QStringList({folder, fake::recorder(), document}));
        // And opened directly.
        const QStringList direct = fake::record([&] { return shell.open(toStd(document)); });
        EXPECT_EQ(direct.mid(1), QStringList({fake::recorder(), document}));
    }
}

TEST_F(GioShellTest, AShortcutToAnotherEntryStartsThatEntrysApplication)
{
    const QString folder = awkwardFolder(QStringLiteral("entry \"'$`%\\ 快捷方式"));
    const QString entry = folder + QStringLiteral("/app.desktop");
    fake::writeFile(entry, "[Desktop Entry]\nType=Application\nName=App\nExec="
                               + QFile::encodeName(fake::recorder()) + " started-by-entry\n");
    EXPECT_EQ(launchThroughShortcut(entry),
              QStringList({folder, fake::recorder(), QStringLiteral("started-by-entry")}));
}

TEST_F(GioShellTest, AFolderOpensInTheFolderHandler)
{
    const QString folder = awkwardFolder(QStringLiteral("folder \"'$`%\\ 文件夹"));
    const QStringList recorded = fake::record([&] { return shell.openFolder(toStd(folder)); });
    EXPECT_EQ(recorded.mid(1), QStringList({fake::recorder(), folder}));

    // Opened like any path, a folder is a folder whatever its name ends in.
    const QString named = awkwardFolder(QStringLiteral("looks like an entry.desktop"));
    EXPECT_EQ(fake::record([&] { return shell.open(toStd(named)); }).mid(1), QStringList({fake::recorder(), named}));
}

TEST_F(GioShellTest, WhatCannotBeOpenedIsAFailureWithAReason)
{
    const QString broken = fake::root() + QStringLiteral("/broken.desktop");
    fake::writeFile(broken, "[Desktop Entry]\nType=Application\nName=Broken\nExec=/no/such/program\n");
    for (const QString& path : {fake::root() + QStringLiteral("/missing.desktop"), broken,
                                fake::root() + QStringLiteral("/missing.txt"), QString()}) {
        SCOPED_TRACE(path.toStdString());
        const Result result = shell.open(toStd(path));
        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.reason.empty());
    }
    EXPECT_FALSE(shell.openFolder(toStd(fake::root() + QStringLiteral("/missing folder"))).ok());
    EXPECT_FALSE(shell.openFolder({}).ok());
}

}  // namespace
