#include "FakeSession.h"

#include "platform/linux/LinuxFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

TEST(LinuxFiles, NamesOnlyPlainVisibleFiles)
{
    const QString folder = fake::root() + QStringLiteral("/names");
    fake::writeFile(folder + QStringLiteral("/记事本 1.exe"), "x");
    fake::writeFile(folder + QStringLiteral("/.hidden"), "x");
    QFile::link(folder + QStringLiteral("/记事本 1.exe"), folder + QStringLiteral("/link"));
    QFile::link(folder + QStringLiteral("/gone"), folder + QStringLiteral("/dangling"));
    QDir().mkpath(folder + QStringLiteral("/sub"));

    const QByteArray socketPath = QFile::encodeName(folder + QStringLiteral("/socket"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(socketPath.size()), sizeof(address.sun_path));
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

    LinuxFiles files;
    const auto nameOf = [&files](const QString& path) { return toQt(files.fileNameOf(toStd(path))); };
    EXPECT_EQ(files.separator(), '/');
    EXPECT_EQ(nameOf(folder + QStringLiteral("/记事本 1.exe")), QStringLiteral("记事本 1.exe"));
    EXPECT_EQ(nameOf(folder + QStringLiteral("/link")), QStringLiteral("link"));
    EXPECT_EQ(nameOf(folder + QStringLiteral("/dangling")), QString());
    EXPECT_EQ(nameOf(folder + QStringLiteral("/sub")), QString());
    EXPECT_EQ(nameOf(QStringLiteral("/dev/null")), QString());
    EXPECT_EQ(nameOf(folder + QStringLiteral("/socket")), QString());
    EXPECT_EQ(nameOf(folder + QStringLiteral("/missing")), QString());
    EXPECT_EQ(nameOf(folder + QStringLiteral("/.hidden")), QString());
    EXPECT_EQ(nameOf(folder + QStringLiteral("/记事本 1.exe/")), QString());
    EXPECT_EQ(nameOf(QString()), QString());
    // A NUL ends the path early for the system; the file before it must not answer for the whole.
    const std::string withNul = toStd(folder + QStringLiteral("/记事本 1.exe")) + std::string("\0/x", 3);
    EXPECT_EQ(files.fileNameOf(withNul), "");
    ::close(fd);
}

}  // namespace
