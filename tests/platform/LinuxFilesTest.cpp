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
    EXPECT_EQ(files.separator(), QChar(u'/'));
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/记事本 1.exe")), QStringLiteral("记事本 1.exe"));
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/link")), QStringLiteral("link"));
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/dangling")), QString());
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/sub")), QString());
    EXPECT_EQ(files.fileNameOf(QStringLiteral("/dev/null")), QString());
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/socket")), QString());
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/missing")), QString());
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/.hidden")), QString());
    EXPECT_EQ(files.fileNameOf(folder + QStringLiteral("/记事本 1.exe/")), QString());
    EXPECT_EQ(files.fileNameOf(QString()), QString());
    ::close(fd);
}

}  // namespace
