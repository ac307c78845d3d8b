#include "PosixFileStore.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string reasonOf(int error)
{
    return std::strerror(error);
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path leads to: a symbolic link is followed, so the profile it
// points at is replaced rather than the link.
std::string targetOf(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

mode_t modeForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

Result writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Result::failure(reasonOf(n < 0 ? errno : ENOSPC));
        bytes.remove_prefix(std::size_t(n));
    }
    return Result::success();
}

}  // namespace

FileBytes PosixFileStore::read(const std::string& path) const
{
    FileBytes result;
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        if (errno != ENOENT)
            result.error = reasonOf(errno);
        return result;
    }
    result.exists = true;
    struct stat info {};
    if (::fstat(file.fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        result.bytes.reserve(std::size_t(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = reasonOf(errno);
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            return result;
        result.bytes.append(buffer, std::size_t(n));
    }
}

Result PosixFileStore::replace(const std::string& path, std::string_view bytes)
{
    const std::string target = targetOf(path);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    // A file without any write permission is read-only, even for root, as
    // Windows treats a file with the read-only attribute.
    if (exists && !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return Result::failure("文件是只读的");

    std::string temporary = target + ".XXXXXX";
    Descriptor file{::mkostemp(temporary.data(), O_CLOEXEC)};
    if (file.fd < 0)
        return Result::failure(reasonOf(errno));

    Result outcome = writeAll(file.fd, bytes);
    if (outcome.ok() && ::fchmod(file.fd, exists ? (info.st_mode & 07777) : modeForNewFile()) != 0)
        outcome = Result::failure(reasonOf(errno));
    if (outcome.ok() && ::fsync(file.fd) != 0)
        outcome = Result::failure(reasonOf(errno));
    if (outcome.ok() && ::close(std::exchange(file.fd, -1)) != 0)
        outcome = Result::failure(reasonOf(errno));
    if (outcome.ok() && ::rename(temporary.c_str(), target.c_str()) != 0)
        outcome = Result::failure(reasonOf(errno));
    if (!outcome.ok()) {
        ::unlink(temporary.c_str());
        return outcome;
    }
    // The rename is on disk only once the folder is.
    Descriptor folder{::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0 && ::fsync(folder.fd) != 0 && errno != EINVAL)
        return Result::failure(reasonOf(errno));
    return Result::success();
}
