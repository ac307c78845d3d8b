#include "platform/linux/Cp936Table.h"
#include "platform/linux/IcuCodePage.h"
#include "platform/windows/Gb18030Forms.h"
#include "platform/linux/IcuCollation.h"
#include "platform/linux/PosixFileStore.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <algorithm>
#include <iterator>
#include <random>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int sign(int n) { return (n > 0) - (n < 0); }

// One character as UTF-8 (QString::fromUcs4 would drop a U+FEFF as a byte order mark).
std::string utf8Of(char32_t c)
{
    if (c < 0x80)
        return std::string(1, char(c));
    if (c < 0x800)
        return {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    return {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
}

TEST(PosixFileStore, ReplacesTheFileWholeByARenameKeepingItsPermissions)
{
    TempFolder folder;
    const QString path = folder.profile();
    PosixFileStore store;
    ASSERT_TRUE(store.replace(path.toStdString(), "[s]\r\nk=v1\r\n").ok());
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    // A reader that opened the old file keeps seeing the old file whole:
    // the new one arrives by a rename, never by truncating the old one.
    QFile reader(path);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(store.replace(path.toStdString(), "[s]\r\nk=a much longer second value\r\n").ok());
    EXPECT_EQ(reader.readAll(), QByteArray("[s]\r\nk=v1\r\n"));
    EXPECT_EQ(store.read(path.toStdString()).bytes, "[s]\r\nk=a much longer second value\r\n");
    EXPECT_EQ(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                            | QFile::ReadGroup);
    EXPECT_EQ(folder.entries(), QStringList{"Ombrel.ini"});

    const FileBytes missing = store.read(folder.file("none.ini").toStdString());
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(missing.ok());
}

// Runs work in a child process and returns the text it gives back through a
// pipe. The child is ended after 20 seconds, so a call that blocks fails the
// test instead of stalling the run; limits set in the child stay there.
std::string inChild(const std::function<std::string()>& work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "<no pipe>";
    const pid_t child = ::fork();
    if (child < 0)
        return "<no fork>";
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(20);
        const std::string text = work();
        std::size_t sent = 0;
        while (sent < text.size()) {
            const ssize_t n = ::write(channel[1], text.data() + sent, text.size() - sent);
            if (n <= 0)
                ::_exit(2);
            sent += std::size_t(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(channel[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, std::size_t(n));
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "<child failed: status " + std::to_string(status) + ">";
    return text;
}

// In a child: no file may grow beyond bytes; a write past the limit then
// fails with EFBIG instead of killing the process.
bool limitFileSize(rlim_t bytes)
{
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

constexpr uid_t kNobody = 65534;

// In a child run by root: becomes an ordinary user, for whom folder
// permissions count.
bool becomeOrdinaryUser()
{
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

std::string sized(std::size_t size, char fill)
{
    std::string bytes(size, fill);
    for (std::size_t i = 0; i < size; i += 64)
        bytes[i] = '\n';
    return bytes;
}

// Long contents compared without printing them whole.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::size_t first = 0;
    while (first < actual.size() && first < expected.size() && actual[first] == expected[first])
        ++first;
    return ::testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                         << " were expected, differing from byte " << first;
}

TEST(PosixFileStore, AWriteBeyondTheSpaceLeftFailsNamingTheCauseAndKeepsTheOldFile)
{
    struct Case {
        const char* name;
        std::string before;  // "<missing>": no file yet
        std::string after;
        std::string reason;  // empty: the replace succeeds
    };
    // Every file of the child may hold 4,096 bytes, as if the disk were full
    // beyond them.
    const Case cases[] = {
        {"small old file", sized(100, 'a'), sized(6000, 'b'), "文件超过允许的大小"},
        {"old file near the limit", sized(4000, 'a'), sized(6000, 'b'), "文件超过允许的大小"},
        {"no old file", "<missing>", sized(6000, 'b'), "文件超过允许的大小"},
        {"new content within the limit", sized(100, 'a'), sized(3000, 'b'), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const QString path = folder.profile();
        if (c.before != "<missing>")
            folder.writeBytes(QStringLiteral("Ombrel.ini"), QByteArray::fromStdString(c.before));

        const std::string reason = inChild([&] {
            if (!limitFileSize(4096))
                return std::string("<no limit>");
            return PosixFileStore().replace(path.toStdString(), c.after).reason;
        });

        EXPECT_EQ(reason, c.reason);
        const std::string expected = c.reason.empty() ? c.after : c.before;
        if (expected == "<missing>") {
            EXPECT_EQ(folder.entries(), QStringList{});
        } else {
            EXPECT_TRUE(sameBytes(folder.readBytes(QStringLiteral("Ombrel.ini")).toStdString(), expected));
            EXPECT_EQ(folder.entries(), QStringList{"Ombrel.ini"});  // no temporary file left
        }
    }
}

// A profile the user may write in a folder they may not: no temporary file
// can be made beside it, so it is written where it is.
TEST(PosixFileStore, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace)
{
    struct Case {
        const char* name;
        std::string before;  // "<missing>": no file yet
        std::string after;
        rlim_t sizeLimit;    // 0: none
        std::string reason;  // empty: the replace succeeds
    };
    const Case cases[] = {
        {"longer", sized(100, 'a'), sized(6000, 'b'), 0, ""},
        {"shorter", sized(6000, 'a'), "[s]\r\nk=v\r\n", 0, ""},
        {"emptied", sized(50, 'a'), "", 0, ""},
        {"beyond the size limit, small old file", sized(100, 'a'), sized(6000, 'b'), 4096, "文件超过允许的大小"},
        {"beyond the size limit, old file near it", sized(4000, 'a'), sized(6000, 'b'), 4096, "文件超过允许的大小"},
        {"no file to write", "<missing>", "x", 0, "没有权限"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const QString locked = folder.file(QStringLiteral("locked"));
        const QByteArray lockedName = QFile::encodeName(locked);
        ASSERT_EQ(::mkdir(lockedName.constData(), 0755), 0);
        const QString path = locked + QStringLiteral("/Ombrel.ini");
        const QByteArray pathName = QFile::encodeName(path);
        if (c.before != "<missing>") {
            folder.writeBytes(QStringLiteral("locked/Ombrel.ini"), QByteArray::fromStdString(c.before));
            ASSERT_EQ(::chmod(pathName.constData(), 0644), 0);
        }
        // Root passes every folder permission, so the child works as another
        // user, who owns the file and the folder.
        if (::geteuid() == 0) {
            ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0711), 0);
            ASSERT_EQ(::chown(lockedName.constData(), kNobody, kNobody), 0);
            if (c.before != "<missing>")
                ASSERT_EQ(::chown(pathName.constData(), kNobody, kNobody), 0);
        }
        ASSERT_EQ(::chmod(lockedName.constData(), 0555), 0);

        const std::string reason = inChild([&] {
            if (!becomeOrdinaryUser() || (c.sizeLimit && !limitFileSize(c.sizeLimit)))
                return std::string("<no setup>");
            // The folder must refuse a new file, or this is no test of writing in place.
            const std::string probe = locked.toStdString() + "/probe";
            const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
            if (fd >= 0) {
                ::close(fd);
                ::unlink(probe.c_str());
                return std::string("<folder takes new files>");
            }
            return PosixFileStore().replace(path.toStdString(), c.after).reason;
        });
        ::chmod(lockedName.constData(), 0755);
        if (reason == "<folder takes new files>")
            GTEST_SKIP() << "this user can make files in a folder of mode 0555";

        EXPECT_EQ(reason, c.reason);
        const std::string expected = c.reason.empty() ? c.after : c.before;
        const QStringList files = QDir(locked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (expected == "<missing>") {
            EXPECT_EQ(files, QStringList{});
            continue;
        }
        EXPECT_TRUE(sameBytes(folder.readBytes(QStringLiteral("locked/Ombrel.ini")).toStdString(), expected));
        EXPECT_EQ(files, QStringList{"Ombrel.ini"});
        struct stat info {};
        ASSERT_EQ(::stat(pathName.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0644u);
    }
}

// A FIFO under the profile's name would block a reader until some writer
// comes, and a device or socket is no file to keep settings in: each is
// refused at once, for reading and for replacing, and left as it was.
TEST(PosixFileStore, RefusesAnythingButARegularFileWithoutWaiting)
{
    struct Case {
        const char* name;
        std::function<bool(const QByteArray& path, const QByteArray& folder)> make;  // false: cannot be made here
        mode_t type;
    };
    const Case cases[] = {
        {"FIFO", [](const QByteArray& path, const QByteArray&) { return ::mkfifo(path.constData(), 0644) == 0; },
         S_IFIFO},
        {"folder", [](const QByteArray& path, const QByteArray&) { return ::mkdir(path.constData(), 0755) == 0; },
         S_IFDIR},
        {"socket",
         [](const QByteArray& path, const QByteArray&) {
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             if (std::size_t(path.size()) >= sizeof address.sun_path)
                 return false;
             std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             const bool made = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
             if (fd >= 0)
                 ::close(fd);
             return made;
         },
         S_IFSOCK},
        // The null device: harmless should it ever be written.
        {"device",
         [](const QByteArray& path, const QByteArray&) {
             return ::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         S_IFCHR},
        {"link to a FIFO",
         [](const QByteArray& path, const QByteArray& folder) {
             return ::mkfifo((folder + "/pipe").constData(), 0644) == 0 && ::symlink("pipe", path.constData()) == 0;
         },
         S_IFIFO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const QString path = folder.profile();
        const QByteArray pathName = QFile::encodeName(path);
        if (!c.make(pathName, QFile::encodeName(folder.path()))) {
            std::printf("[   NOTE   ] no %s can be made here; that case is left out\n", c.name);
            continue;
        }
        const QStringList before = folder.entries();

        const std::string outcome = inChild([&] {
            PosixFileStore store;
            const FileBytes read = store.read(path.toStdString());
            return read.error + "|" + (read.exists ? "exists" : "-") + "|" + store.replace(path.toStdString(), "[s]\r\n").reason;
        });

        EXPECT_EQ(outcome, "不是普通文件|-|不是普通文件");
        struct stat info {};
        ASSERT_EQ(::stat(pathName.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, c.type);
        EXPECT_EQ(folder.entries(), before);
    }
}

// A replace killed half way leaves ".<name>.ombrel-tmp-XXXXXX" beside the
// profile; only such files go, whatever else lies beside it: backups the
// user made, and files of the old temporary form, which a person may have
// named so too.
TEST(PosixFileStore, RemovesLeftoverTemporaryFilesAndNothingElse)
{
    struct Entry {
        const char* name;
        bool goes;
    };
    const Entry files[] = {
        {".Ombrel.ini.ombrel-tmp-ABC123", true},
        {".Ombrel.ini.ombrel-tmp-x7Yq0Z", true},
        {"Ombrel.ini", false},
        {"Ombrel.ini.backup", false},
        {"Ombrel.ini.BACKUP", false},
        {"Ombrel.ini.old001", false},
        {"Ombrel.ini.ABC123", false},
        {"Ombrel.ini.bak", false},
        {".Ombrel.ini.ombrel-tmp-ABC12", false},    // five characters
        {".Ombrel.ini.ombrel-tmp-ABCDEFG", false},  // seven
        {".Ombrel.ini.ombrel-tmp-AB-123", false},
        {"Ombrel.ini.ombrel-tmp-ABC123", false},    // no leading dot
        {".ombrel.ini.ombrel-tmp-ABC123", false},
        {".other.ini.ombrel-tmp-ABC123", false},
        {".Ombrel.ini.ombrel-tmp-ABC123.tmp", false},
        {".Ombrel.ini.swp", false},
    };
    TempFolder folder;
    for (const Entry& e : files)
        folder.writeBytes(QString::fromUtf8(e.name), e.name);
    // A folder or a link with a leftover's name is not a leftover; the link's
    // target stays too.
    ASSERT_EQ(::mkdir(QFile::encodeName(folder.file(QStringLiteral(".Ombrel.ini.ombrel-tmp-DIR123"))).constData(), 0755), 0);
    folder.writeBytes(QStringLiteral(".Ombrel.ini.ombrel-tmp-DIR123/inside"), "x");
    folder.writeBytes(QStringLiteral("kept.txt"), "kept");
    ASSERT_EQ(::symlink("kept.txt", QFile::encodeName(folder.file(QStringLiteral(".Ombrel.ini.ombrel-tmp-LNK123"))).constData()), 0);

    PosixFileStore().removeLeftovers(folder.profile().toStdString());

    QStringList expected{QStringLiteral(".Ombrel.ini.ombrel-tmp-DIR123"), QStringLiteral("kept.txt"),
                         QStringLiteral(".Ombrel.ini.ombrel-tmp-LNK123")};
    for (const Entry& e : files)
        if (!e.goes)
            expected << QString::fromUtf8(e.name);
    expected.sort();
    EXPECT_EQ(folder.entries(), expected);
    EXPECT_EQ(folder.readBytes(QStringLiteral("kept.txt")), "kept");
    EXPECT_EQ(folder.readBytes(QStringLiteral("Ombrel.ini")), "Ombrel.ini");
    EXPECT_EQ(folder.readBytes(QStringLiteral(".Ombrel.ini.ombrel-tmp-DIR123/inside")), "x");
}

// A profile that is a link is replaced at its target, so that is where
// leftovers lie; files beside the link are not the store's.
TEST(PosixFileStore, LooksForLeftoversBesideTheTargetOfALinkedProfile)
{
    TempFolder links;
    TempFolder targets;
    targets.writeBytes(QStringLiteral("real.ini"), "[s]\r\n");
    targets.writeBytes(QStringLiteral(".real.ini.ombrel-tmp-Abc123"), "partial");
    targets.writeBytes(QStringLiteral(".Ombrel.ini.ombrel-tmp-Abc123"), "not ours");
    links.writeBytes(QStringLiteral(".Ombrel.ini.ombrel-tmp-Abc123"), "not ours");
    ASSERT_EQ(::symlink(QFile::encodeName(targets.file(QStringLiteral("real.ini"))).constData(),
                        QFile::encodeName(links.profile()).constData()),
              0);

    PosixFileStore().removeLeftovers(links.profile().toStdString());

    EXPECT_EQ(targets.entries(), (QStringList{".Ombrel.ini.ombrel-tmp-Abc123", "real.ini"}));
    EXPECT_EQ(links.entries(), (QStringList{".Ombrel.ini.ombrel-tmp-Abc123", "Ombrel.ini"}));
}

// A new profile is the owner's alone, whatever the umask; one that is to
// hold a secret loses the group's and others' bits and keeps the owner's.
// A link to a file not made yet is written through, as an editor does.
TEST(PosixFileStore, WhoMayReadTheProfileAndWhereALinkLeads)
{
    const struct {
        const char* name;
        int before;  // -1: no file yet
        FileReaders readers;
        unsigned after;
    } cases[] = {
        {"new", -1, FileReaders::AsBefore, 0600},
        {"new, for a secret", -1, FileReaders::OwnerOnly, 0600},
        {"kept", 0644, FileReaders::AsBefore, 0644},
        {"made private", 0644, FileReaders::OwnerOnly, 0600},
        {"the owner's bits kept", 0764, FileReaders::OwnerOnly, 0700},
    };
    const mode_t mask = ::umask(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const QByteArray path = QFile::encodeName(folder.profile());
        if (c.before >= 0) {
            folder.writeBytes(QStringLiteral("Ombrel.ini"), "[s]\r\n");
            ASSERT_EQ(::chmod(path.constData(), mode_t(c.before)), 0);
        }
        ASSERT_TRUE(PosixFileStore().replace(path.toStdString(), "[s]\r\nk=v\r\n", c.readers).ok());
        struct stat info {};
        ASSERT_EQ(::stat(path.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after);
        EXPECT_EQ(folder.entries(), QStringList{"Ombrel.ini"});
    }
    ::umask(mask);

    TempFolder folder;
    ASSERT_EQ(::mkdir(QFile::encodeName(folder.file(QStringLiteral("real"))).constData(), 0755), 0);
    ASSERT_EQ(::symlink("real/profile.ini", QFile::encodeName(folder.file(QStringLiteral("hop"))).constData()), 0);
    ASSERT_EQ(::symlink("hop", QFile::encodeName(folder.profile()).constData()), 0);
    ASSERT_TRUE(PosixFileStore().replace(folder.profile().toStdString(), "[s]\r\n").ok());
    EXPECT_EQ(folder.readBytes(QStringLiteral("real/profile.ini")), "[s]\r\n");
    EXPECT_TRUE(QFileInfo(folder.profile()).isSymLink());
}

// Texts of ASCII and the item marker are ordered by a table, not by ICU: it must
// give ICU's own order, or a list would change order once a Chinese name
// joins it.
TEST(IcuCollation, TheAsciiTableOrdersAsIcuDoes)
{
    IcuCollation collation;
    std::vector<std::string> texts;
    for (int c = 1; c < 128; ++c)
        texts.emplace_back(1, char(c));
    texts.emplace_back("●");
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<int> pick(0, 2);
    const std::string likely = "aAbB zZ09_-.()[]'~";
    for (int i = 0; i < 400; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pick(random) ? std::string(1, likely[std::size_t(random() % likely.size())])
                                 : (random() % 8 ? std::string(1, char(1 + random() % 127)) : std::string("● "));
        texts.push_back(text);
    }
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            ASSERT_EQ(sign(collation.compare(a, b)), sign(collation.compareWithIcu(a, b)))
                << '"' << a << "\" vs \"" << b << '"';
}

// CP936 text goes through a table built from ICU's; it must convert every
// character and every two-byte code exactly as ICU's converter does.
TEST(IcuCodePage, TheBuiltInTableConvertsAsIcuDoes)
{
    IcuCodePage codePage;
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string text = utf8Of(c) + "a";
        ASSERT_EQ(codePage.encode(text), codePage.encodeWithIcu(text)) << std::hex << unsigned(c);
    }
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const std::string bytes{char(lead), char(trail), 'a'};
            ASSERT_EQ(codePage.decode(bytes), codePage.decodeWithIcu(bytes)) << std::hex << lead << ' ' << trail;
        }
    }
    for (const std::string& text : {std::string("\xF0\x9F\x98\x80 ● 记"), std::string("bad \xE8\xAE"), std::string("\xB1")})
        EXPECT_EQ(codePage.decode(codePage.encode(text)), codePage.decodeWithIcu(codePage.encodeWithIcu(text)));
}

// The Windows build writes the characters CP936 lacks by its own table of
// GB18030 forms; both builds must write the same bytes for each of them.
TEST(IcuCodePage, TheWindowsBuildsGb18030FormsAreIcus)
{
    IcuCodePage codePage;
    const auto fourBytes = [](unsigned n) {
        return std::string{char(0x81 + n / 12600), char(0x30 + n / 1260 % 10), char(0x81 + n / 10 % 126),
                           char(0x30 + n % 10)};
    };
    int checked = 0;
    for (const gb18030::FourByteRun& run : gb18030::kFourByteRuns) {
        for (char32_t c = run.first; c <= run.last; ++c) {
            // Surrogates are no characters; characters CP936 holds never use the table.
            if ((c >= 0xD800 && c <= 0xDFFF) || cp936::kEncode[c] != 0)
                continue;
            ++checked;
            ASSERT_EQ(codePage.encode(utf8Of(c)), fourBytes(run.index + unsigned(c - run.first))) << std::hex << unsigned(c);
        }
    }
    for (const gb18030::TwoByteForm& form : gb18030::kTwoByteForms) {
        const char32_t c = form.character;
        EXPECT_EQ(codePage.encode(utf8Of(c)),
                  (std::string{char(form.bytes >> 8), char(form.bytes & 0xFF)}));
    }
    EXPECT_GT(checked, 39000);
}

// The Windows build reads the two-byte forms of its table as their
// characters and writes the private-use characters that CP936 gives those
// codes in four bytes; both builds must do so for exactly the same codes.
TEST(IcuCodePage, TheWindowsBuildsTwoByteFormsAreTheCodesIcuReadsAsGb18030Does)
{
    IcuCodePage codePage;
    const auto formAt = [](unsigned bytes) {
        return std::find_if(std::begin(gb18030::kTwoByteForms), std::end(gb18030::kTwoByteForms),
                            [bytes](const gb18030::TwoByteForm& f) { return f.bytes == bytes; });
    };
    int forms = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const char16_t cp936Character = cp936::kDecode[(lead - 0x81) * 191 + (trail - 0x40)];
            if (cp936Character == 0)
                continue;
            const std::string bytes{char(lead), char(trail)};
            const auto form = formAt(lead << 8 | trail);
            const char32_t expected = form != std::end(gb18030::kTwoByteForms) ? form->character : cp936Character;
            ASSERT_EQ(codePage.decode(bytes), utf8Of(expected)) << std::hex << lead << ' ' << trail;
            if (form == std::end(gb18030::kTwoByteForms))
                continue;
            ++forms;
            // The private-use character of the code: by the Windows table's four-byte runs.
            const auto run = std::find_if(std::begin(gb18030::kFourByteRuns), std::end(gb18030::kFourByteRuns),
                                          [&](const gb18030::FourByteRun& r) {
                                              return cp936Character >= r.first && cp936Character <= r.last;
                                          });
            ASSERT_NE(run, std::end(gb18030::kFourByteRuns)) << std::hex << unsigned(cp936Character);
            const unsigned n = run->index + unsigned(cp936Character - run->first);
            EXPECT_EQ(codePage.encode(utf8Of(cp936Character)),
                      (std::string{char(0x81 + n / 12600), char(0x30 + n / 1260 % 10), char(0x81 + n / 10 % 126),
                                   char(0x30 + n % 10)}));
        }
    }
    EXPECT_EQ(forms, int(std::size(gb18030::kTwoByteForms)));
}

}  // namespace
