#include "FakeSession.h"

#include "platform/linux/DesktopEntryLinks.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

// Sets an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : name_(name), old_(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedEnv() { qputenv(name_, old_); }

private:
    const char* name_;
    QByteArray old_;
};

TEST(DesktopEntryLinks, SavesAnExecutableValidEntryAndReplacesTheOldOne)
{
    TempFolder folder;
    QStringList marked;
    DesktopEntryLinks links([&marked](const std::string& file) {
        marked << toQt(file);
        return Result::failure("no metadata store");  // must not fail the save
    });
    EXPECT_EQ(links.suffix(), ".desktop");
    const QString file = folder.file(QStringLiteral("Ombrel.desktop"));
    fake::writeFile(folder.file(QStringLiteral("doc 1.txt")), "x");

    const Result first
        = links.save(toStd(file), {"第一", toStd(folder.file(QStringLiteral("doc 1.txt"))), toStd(folder.path() + u'/'),
                                   "ALT+CTRL+R"});
    ASSERT_TRUE(first.ok()) << first.reason;
    EXPECT_EQ(modeOf(file), 0755u);
    EXPECT_EQ(fake::validationProblems(file), QString());

    ASSERT_TRUE(links.save(toStd(file), {"第二", toStd(fake::recorder()), {}, {}}).ok());
    EXPECT_EQ(modeOf(file), 0755u);
    EXPECT_EQ(fake::validationProblems(file), QString());
    const QByteArray text = folder.readBytes(QStringLiteral("Ombrel.desktop"));
    EXPECT_TRUE(text.contains("Name=第二\n"));
    EXPECT_FALSE(text.contains("第一"));
    EXPECT_EQ(folder.entries(), QStringList({QStringLiteral("Ombrel.desktop"), QStringLiteral("doc 1.txt")}));
    EXPECT_EQ(marked, QStringList({file, file}));
}

TEST(DesktopEntryLinks, AFolderThatCannotBeWrittenIsAFailureWithAReason)
{
    bool marked = false;
    DesktopEntryLinks links([&marked](const std::string&) {
        marked = true;
        return Result::success();
    });
    const QString file = fake::root() + QStringLiteral("/no such folder/Ombrel.desktop");
    const Result result = links.save(toStd(file), {"x", toStd(fake::recorder()), {}, {}});
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.reason.starts_with("无法写入快捷方式：")) << result.reason;
    EXPECT_FALSE(marked);

    // GIO's own marker reports rather than crashes when it cannot mark.
    EXPECT_FALSE(markTrustedWithGio(toStd(fake::root() + QStringLiteral("/no such file.desktop"))).ok());
}

TEST(DesktopEntryLinks, SpecialFoldersFollowTheUsersXdgSettings)
{
    DesktopEntryLinks links;
    const QString home = QDir::homePath();
    EXPECT_EQ(toQt(links.specialFolder(SpecialFolder::Desktop)), home + QStringLiteral("/Desktop"));

    const QString userDirs = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs");
    fake::writeFile(userDirs, "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
    EXPECT_EQ(toQt(links.specialFolder(SpecialFolder::Desktop)), home + QStringLiteral("/桌面"));
    QFile::remove(userDirs);

    // The applications folder is made, private, where it does not exist yet.
    const ScopedEnv dataHome("XDG_DATA_HOME", fake::root() + QStringLiteral("/fresh/data"));
    const QString menu = fake::root() + QStringLiteral("/fresh/data/applications");
    EXPECT_EQ(toQt(links.specialFolder(SpecialFolder::StartMenu)), menu);
    EXPECT_TRUE(QFileInfo(menu).isDir());
    EXPECT_EQ(modeOf(menu), 0700u);
    EXPECT_EQ(modeOf(fake::root() + QStringLiteral("/fresh/data")), 0700u);
    EXPECT_EQ(toQt(links.specialFolder(SpecialFolder::StartMenu)), menu);  // and found again once it exists
}

}  // namespace
