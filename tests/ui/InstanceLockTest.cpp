#include "platform/linux/LinuxInstanceLock.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(LinuxInstanceLock, OneHolderAtATimeAndTheLockGoesWithItsHolder)
{
    TempFolder folder;
    const QString path = QString::fromStdString(folder.file("ombrel.lock"));

    auto first = std::make_unique<LinuxInstanceLock>(path);
    EXPECT_FALSE(first->acquire().anotherRunning);
    EXPECT_FALSE(first->acquire().anotherRunning);  // asking again is harmless

    LinuxInstanceLock second(path);
    const InstanceLock::Outcome outcome = second.acquire();
    EXPECT_TRUE(outcome.anotherRunning);
    EXPECT_TRUE(outcome.problem.empty());

    first.reset();
    LinuxInstanceLock third(path);
    EXPECT_FALSE(third.acquire().anotherRunning);
}

TEST(LinuxInstanceLock, AnUnusableLockPlaceIsReportedNotTakenForAnotherCopy)
{
    LinuxInstanceLock lock(QStringLiteral("/nonexistent-folder/ombrel.lock"));
    const InstanceLock::Outcome outcome = lock.acquire();
    EXPECT_FALSE(outcome.anotherRunning);
    EXPECT_FALSE(outcome.problem.empty());
}

constexpr uid_t kOtherUser = 65534;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value)
        : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Another local user can make or hold a file in a shared folder. Were such a
// file taken for the lock of a running copy, they could keep the program
// from ever starting; it is reported instead, and the program runs without
// the check.
TEST(LinuxInstanceLock, ALockPlaceOthersCouldControlIsAProblemNotAnotherCopy)
{
    struct Case {
        const char* name;
        bool needsRoot;  // files of another user can be made by root alone
        // Makes the place in folder and returns the lock's path.
        std::function<std::string(const TempFolder& folder)> make;
    };
    const auto mkdirMode = [](const std::string& path, mode_t mode) {
        return ::mkdir(path.c_str(), 0700) == 0 && ::chmod(path.c_str(), mode) == 0;
    };
    const Case cases[] = {
        {"folder others may write", false,
         [&](const TempFolder& f) {
             EXPECT_TRUE(mkdirMode(f.file("shared"), 0777));
             return f.file("shared/ombrel.lock");
         }},
        {"folder that is a link", false,
         [&](const TempFolder& f) {
             EXPECT_TRUE(mkdirMode(f.file("real"), 0700));
             EXPECT_EQ(::symlink("real", f.file("link").c_str()), 0);
             return f.file("link/ombrel.lock");
         }},
        {"lock file that is a link", false,
         [](const TempFolder& f) {
             f.writeBytes("elsewhere", "");
             EXPECT_EQ(::symlink("elsewhere", f.file("ombrel.lock").c_str()), 0);
             return f.file("ombrel.lock");
         }},
        {"lock file that is a FIFO", false,
         [](const TempFolder& f) {
             EXPECT_EQ(::mkfifo(f.file("ombrel.lock").c_str(), 0600), 0);
             return f.file("ombrel.lock");
         }},
        {"lock file that is a folder", false,
         [&](const TempFolder& f) {
             EXPECT_TRUE(mkdirMode(f.file("ombrel.lock"), 0700));
             return f.file("ombrel.lock");
         }},
        {"folder of another user", true,
         [&](const TempFolder& f) {
             EXPECT_TRUE(mkdirMode(f.file("theirs"), 0755));
             EXPECT_EQ(::chown(f.file("theirs").c_str(), kOtherUser, kOtherUser), 0);
             return f.file("theirs/ombrel.lock");
         }},
        {"lock file of another user", true,
         [](const TempFolder& f) {
             f.writeBytes("ombrel.lock", "");
             EXPECT_EQ(::chown(f.file("ombrel.lock").c_str(), kOtherUser, kOtherUser), 0);
             return f.file("ombrel.lock");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && ::geteuid() != 0) {
            std::printf("[   NOTE   ] left out without root: %s\n", c.name);
            continue;
        }
        TempFolder folder;
        const std::string path = c.make(folder);
        // The other user holds the lock file, as a copy of theirs would.
        const int held = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (held >= 0)
            ::flock(held, LOCK_EX | LOCK_NB);

        LinuxInstanceLock lock(QString::fromStdString(path));
        const InstanceLock::Outcome outcome = lock.acquire();

        EXPECT_FALSE(outcome.anotherRunning);
        EXPECT_FALSE(outcome.problem.empty());
        if (held >= 0)
            ::close(held);
    }
}

// A folder open to all but sticky, as /tmp is, lets no one remove or rename
// another's file: a lock of the user's own there is sound.
TEST(LinuxInstanceLock, AnOwnLockFileInAStickyFolderIsUsed)
{
    TempFolder folder;
    const std::string sticky = folder.file("sticky");
    ASSERT_EQ(::mkdir(sticky.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(sticky.c_str(), 01777), 0);
    const QString path = QString::fromStdString(sticky + "/ombrel.lock");

    LinuxInstanceLock first(path);
    const InstanceLock::Outcome outcome = first.acquire();
    EXPECT_FALSE(outcome.anotherRunning);
    EXPECT_TRUE(outcome.problem.empty()) << outcome.problem;
    EXPECT_TRUE(LinuxInstanceLock(path).acquire().anotherRunning);
}

// Without a runtime folder the lock lives in a folder of the user's own in
// the cache folder, made private on first use; what is already under its
// name must be a private folder of the user's.
TEST(LinuxInstanceLock, WithoutARuntimeFolderTheLockIsInAPrivateFolder)
{
    struct Case {
        const char* name;
        bool needsRoot;
        std::function<void(const std::string& place)> make;  // puts something at the private folder's place
        bool usable;
    };
    const Case cases[] = {
        {"nothing there yet", false, [](const std::string&) {}, true},
        {"the user's private folder", false, [](const std::string& p) { ::mkdir(p.c_str(), 0700); }, true},
        {"a link to a folder", false,
         [](const std::string& p) {
             ::mkdir((p + "-real").c_str(), 0700);
             ::symlink((p + "-real").c_str(), p.c_str());
         },
         false},
        {"a file", false,
         [](const std::string& p) {
             const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
             if (fd >= 0)
                 ::close(fd);
         },
         false},
        {"a folder others may write", false,
         [](const std::string& p) {
             ::mkdir(p.c_str(), 0700);
             ::chmod(p.c_str(), 0777);
         },
         false},
        {"a folder of another user", true,
         [](const std::string& p) {
             ::mkdir(p.c_str(), 0700);
             ::chown(p.c_str(), kOtherUser, kOtherUser);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && ::geteuid() != 0) {
            std::printf("[   NOTE   ] left out without root: %s\n", c.name);
            continue;
        }
        TempFolder temp;
        const ScopedEnvironment noRuntime("XDG_RUNTIME_DIR", nullptr);
        const std::string cache = temp.file("cache");
        const ScopedEnvironment cacheHome("XDG_CACHE_HOME", cache.c_str());
        const std::string place = cache + "/ombrel";
        if (std::string(c.name) != "nothing there yet")
            ::mkdir(cache.c_str(), 0700);
        ASSERT_EQ(LinuxInstanceLock::defaultPath().toStdString(), place + "/ombrel.lock");
        c.make(place);

        LinuxInstanceLock first;
        const InstanceLock::Outcome outcome = first.acquire();

        EXPECT_FALSE(outcome.anotherRunning);
        EXPECT_EQ(outcome.problem.empty(), c.usable) << outcome.problem;
        if (!c.usable)
            continue;
        struct stat info {};
        ASSERT_EQ(::lstat(place.c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(LinuxInstanceLock().acquire().anotherRunning);
    }
}

}  // namespace
