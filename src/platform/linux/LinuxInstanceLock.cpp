#include "LinuxInstanceLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

LinuxInstanceLock::LinuxInstanceLock(QString lockPath)
    : path_(std::move(lockPath))
{
}

LinuxInstanceLock::~LinuxInstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QString LinuxInstanceLock::defaultPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(QStringLiteral("ombrel.lock"));
    return QDir::temp().filePath(QStringLiteral("ombrel-%1.lock").arg(::getuid()));
}

InstanceLock::Outcome LinuxInstanceLock::acquire()
{
    if (fd_ >= 0)
        return {};  // this process holds the lock already
    // Close-on-exec: programs started from the list must not inherit the
    // lock and keep it after this process ends.
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return {false, QStringLiteral("cannot open %1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno))).toStdString()};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return {true, {}};
        return {false,
                QStringLiteral("cannot lock %1: %2").arg(path_, QString::fromLocal8Bit(std::strerror(error))).toStdString()};
    }
    fd_ = fd;
    return {};
}
