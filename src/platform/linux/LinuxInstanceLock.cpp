#include "LinuxInstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The user's cache folder ($XDG_CACHE_HOME, else ~/.cache).
QString cacheHome()
{
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!cache.isEmpty() && QDir::isAbsolutePath(cache))
        return cache;
    return QDir::home().filePath(QStringLiteral(".cache"));
}

// The folder that holds the lock when there is no runtime folder: one in
// the user's own cache folder, where no other user can make it first (in
// /tmp anyone could, and so keep the check from working).
QString privateFolder()
{
    return QDir(cacheHome()).filePath(QStringLiteral("ombrel"));
}

InstanceLock::Outcome problem(const QString& text)
{
    return {false, text.toStdString()};
}

QString reasonOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why no one but this user can change the folder, or an empty text when
// they can: it must be a folder (not a link to one), the user's or root's,
// and writable by no one else unless it is sticky like /tmp, where no one
// can remove or rename another's file.
QString unsafeFolderReason(const struct stat& folder)
{
    if (folder.st_uid != ::geteuid() && folder.st_uid != 0)
        return QStringLiteral("the folder belongs to user %1").arg(folder.st_uid);
    if ((folder.st_mode & (S_IWGRP | S_IWOTH)) && !(folder.st_mode & S_ISVTX))
        return QStringLiteral("others may write to the folder");
    return {};
}

}  // namespace

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
    return QDir(privateFolder()).filePath(QStringLiteral("ombrel.lock"));
}

InstanceLock::Outcome LinuxInstanceLock::acquire()
{
    if (fd_ >= 0)
        return {};  // this process holds the lock already
    const QFileInfo place(path_);
    const QString folderPath = place.absolutePath();
    const QByteArray folderName = QFile::encodeName(folderPath);
    const QByteArray fileName = QFile::encodeName(place.fileName());

    // The private folder (and the cache folder it lives in) is made on first
    // use; any other folder must exist.
    if (folderPath == QFileInfo(privateFolder()).absoluteFilePath()) {
        const QByteArray cacheName = QFile::encodeName(cacheHome());
        if (::mkdir(cacheName.constData(), 0700) != 0 && errno != EEXIST)
            return problem(QStringLiteral("cannot make %1: %2").arg(cacheHome(), reasonOf(errno)));
        if (::mkdir(folderName.constData(), 0700) != 0 && errno != EEXIST)
            return problem(QStringLiteral("cannot make %1: %2").arg(folderPath, reasonOf(errno)));
    }

    // The folder and then the file are opened without following a link in
    // the last step and checked on the descriptors, so what is checked is
    // what is used.
    const int folder = ::open(folderName.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return problem(QStringLiteral("cannot open %1: %2").arg(folderPath, reasonOf(errno)));
    struct stat folderInfo {};
    if (::fstat(folder, &folderInfo) != 0) {
        const int error = errno;
        ::close(folder);
        return problem(QStringLiteral("cannot check %1: %2").arg(folderPath, reasonOf(error)));
    }
    if (const QString unsafe = unsafeFolderReason(folderInfo); !unsafe.isEmpty()) {
        ::close(folder);
        return problem(QStringLiteral("unsafe lock folder %1: %2").arg(folderPath, unsafe));
    }

    // Close-on-exec: programs started from the list must not inherit the
    // lock and keep it after this process ends. O_NONBLOCK: a FIFO put in
    // its place does not stall the start.
    const int fd = ::openat(folder, fileName.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    const int openError = errno;
    ::close(folder);
    if (fd < 0)
        return problem(QStringLiteral("cannot open %1: %2").arg(path_, reasonOf(openError)));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return problem(QStringLiteral("%1 is not a file of this user").arg(path_));
    }
    // flock() needs only a read descriptor: a lock file others may read
    // could be held by them.
    if ((info.st_mode & 077) && ::fchmod(fd, 0600) != 0) {
        const int error = errno;
        ::close(fd);
        return problem(QStringLiteral("cannot make %1 private: %2").arg(path_, reasonOf(error)));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return {true, {}};
        return problem(QStringLiteral("cannot lock %1: %2").arg(path_, reasonOf(error)));
    }
    fd_ = fd;
    return {};
}
