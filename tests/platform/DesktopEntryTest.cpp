#include "FakeSession.h"

#include "platform/linux/DesktopEntry.h"
#include "platform/linux/LinuxFileDialogs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString sample(const QString& name)
{
    return fake::root() + QStringLiteral("/kinds/") + name;
}

TEST(TargetKind, ProgramsAreExecutableFilesThatStartLikeOne)
{
    fake::writeFile(sample("elf"), QByteArray("\x7f" "ELF\x02\x01\x01", 7), 0755);
    fake::writeFile(sample("script"), "#!/bin/sh\n", 0755);
    fake::writeFile(sample("text on a FAT stick"), "hello\n", 0755);
    fake::writeFile(sample("script not executable"), "#!/bin/sh\n", 0644);
    fake::writeFile(sample("app.desktop"), "[Desktop Entry]\n", 0644);
    fake::writeFile(sample("notes.txt"), "x", 0644);
    QFile::link(sample("script"), sample("link to script"));
    QDir().mkpath(sample("folder.desktop"));

    EXPECT_EQ(targetKind(sample("elf")), TargetKind::Program);
    EXPECT_EQ(targetKind(sample("script")), TargetKind::Program);
    EXPECT_EQ(targetKind(sample("link to script")), TargetKind::Program);
    EXPECT_EQ(targetKind(sample("text on a FAT stick")), TargetKind::Document);
    EXPECT_EQ(targetKind(sample("script not executable")), TargetKind::Document);
    EXPECT_EQ(targetKind(sample("app.desktop")), TargetKind::DesktopEntry);
    EXPECT_EQ(targetKind(sample("folder.desktop")), TargetKind::Document);
    EXPECT_EQ(targetKind(sample("notes.txt")), TargetKind::Document);
    EXPECT_EQ(targetKind(sample("missing")), TargetKind::Document);
    EXPECT_EQ(targetKind(QString()), TargetKind::Document);

    // The open dialog's program filter: folders to walk through, programs and entries.
    EXPECT_TRUE(acceptedAsProgram(sample("folder.desktop"), true));
    EXPECT_TRUE(acceptedAsProgram(sample("script"), false));
    EXPECT_TRUE(acceptedAsProgram(sample("app.desktop"), false));
    EXPECT_FALSE(acceptedAsProgram(sample("text on a FAT stick"), false));
    EXPECT_FALSE(acceptedAsProgram(sample("notes.txt"), false));
}

TEST(DesktopEntryText, QuotesExecThenEscapesTheValue)
{
    EXPECT_EQ(quoteExecArgument(QStringLiteral("/a b/c")), QStringLiteral("\"/a b/c\""));
    EXPECT_EQ(quoteExecArgument(QStringLiteral("\"`$\\%'中")), QStringLiteral("\"\\\"\\`\\$\\\\%%'中\""));
    EXPECT_EQ(escapeStringValue(QStringLiteral(" a\\b\nc\td\re ")), QStringLiteral("\\sa\\\\b\\nc\\td\\re "));

    // A backslash in a path ends up as four in the file.
    ShortcutFields fields{" 记事本", "/opt/a\\b/run", "/opt/a\\b/", "ALT+CTRL+R"};
    EXPECT_EQ(desktopEntryText(fields, TargetKind::Program),
              QByteArray("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Version=1.0\n"
                         "Name=\\s记事本\n"
                         "Exec=\"/opt/a\\\\\\\\b/run\"\n"
                         "Path=/opt/a\\\\b/\n"
                         "Terminal=false\n"
                         "X-Ombrel-Hotkey=ALT+CTRL+R\n"));
}

TEST(DesktopEntryText, ExecFollowsTheKindOfTarget)
{
    const auto exec = [](const QString& target, TargetKind kind) {
        const QList<QByteArray> lines = desktopEntryText({"n", toStd(target), {}, {}}, kind).split('\n');
        for (const QByteArray& line : lines)
            if (line.startsWith("Exec="))
                return QString::fromUtf8(line.mid(5));
        return QString();
    };
    EXPECT_EQ(exec(QStringLiteral("/x/a.desktop"), TargetKind::DesktopEntry),
              QStringLiteral("gio launch \"/x/a.desktop\""));
    EXPECT_EQ(exec(QStringLiteral("/x/a.txt"), TargetKind::Document), QStringLiteral("gio open \"/x/a.txt\""));
    EXPECT_EQ(exec(QStringLiteral("/x/50%/run"), TargetKind::Program), QStringLiteral("nice -n 0 \"/x/50%%/run\""));
    EXPECT_EQ(exec(QStringLiteral("rel/run"), TargetKind::Program),
              quoteExecArgument(QDir::current().filePath(QStringLiteral("rel/run"))));
}

TEST(DesktopEntryText, OptionalKeysAndTheNameFallBack)
{
    const QByteArray text = desktopEntryText({{}, "/x/计算器", {}, {}}, TargetKind::Program);
    EXPECT_TRUE(text.contains("\nName=计算器\n"));
    EXPECT_FALSE(text.contains("Path="));
    EXPECT_FALSE(text.contains("X-Ombrel-Hotkey"));
}

}  // namespace
