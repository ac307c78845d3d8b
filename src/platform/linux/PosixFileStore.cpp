#include "PosixFileStore.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reasons are shown in a Chinese notice, so the common causes are named
// in Chinese; the rarer ones keep the system's own words.
std::string reasonOf(int error)
{
    switch (error) {
    case ENOSPC:
        return "磁盘空间不足";
    case EFBIG:
        return "文件超过允许的大小";
#ifdef EDQUOT
    case EDQUOT:
        return "超出磁盘配额";
#endif
    case EIO:
        return "读写磁盘出错";
    case EACCES:
    case EPERM:
        return "没有权限";
    case EROFS:
        return "文件系统是只读的";
    default:
        return std::strerror(error);
    }
}

Result failure(int error)
{
    return Result::failure(reasonOf(error));
}

// A FIFO, device, socket or folder under the file's name: reading one could
// wait for ever or have effects of its own, and replacing one is no save.
constexpr const char* kNotRegular = "不是普通文件";

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

std::string nameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path leads to: a symbolic link is followed, so the profile it
// points at is replaced rather than the link. A link to a file that is not
// there yet leads to the file it names, which the first save then makes, as
// an editor does; links of links are followed the same way.
std::string targetOf(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char resolved[PATH_MAX];
        if (::realpath(current.c_str(), resolved))
            return resolved;
        if (errno != ENOENT)
            return path;
        char named[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), named, sizeof named);
        if (length <= 0 || std::size_t(length) >= sizeof named)
            return path;
        const std::string next(named, std::size_t(length));
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
    return path;
}

// A new profile is the owner's alone: it may come to hold the dial-up password.
constexpr mode_t kNewFileMode = 0600;

mode_t modeFor(mode_t current, FileReaders readers)
{
    const mode_t mode = current & 07777;
    return readers == FileReaders::OwnerOnly ? (mode & ~mode_t(S_IRWXG | S_IRWXO)) : mode;
}

Replacement failedAfterWrite(int error)
{
    return {reasonOf(error), true};
}

// Opens an existing file that must be a regular one. The type is looked at
// before opening, so no device is ever opened, and again on the descriptor,
// in case the name was changed meanwhile; O_NONBLOCK keeps a FIFO put there
// in between from blocking the open. Sets reason and returns -1 on failure;
// a missing file leaves reason empty.
int openRegular(const std::string& path, int flags, std::string& reason)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        reason = kNotRegular;
        return -1;
    }
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno != ENOENT)
            reason = errno == ENXIO ? kNotRegular : reasonOf(errno);
        return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        reason = reasonOf(errno);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(opened.st_mode)) {
        reason = kNotRegular;
        ::close(fd);
        return -1;
    }
    // Regular files ignore O_NONBLOCK today; cleared so that reads and
    // writes keep their ordinary meaning on every file system.
    const int status = ::fcntl(fd, F_GETFL);
    if (status >= 0)
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    return fd;
}

// Writes every byte from offset on; a write that makes no progress counts as
// a full disk.
Result writeAll(int fd, std::string_view bytes, off_t offset = 0)
{
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failure(n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(std::size_t(n));
        offset += n;
    }
    return Result::success();
}

// Reads from the descriptor's position to the end.
Result readAll(int fd, std::string& bytes)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failure(errno);
        if (n == 0)
            return Result::success();
        bytes.append(buffer, std::size_t(n));
    }
}

// Writes the file over itself, for a file whose folder takes no new file.
// Space for the new length is taken before any old byte is overwritten, so
// a full disk or a size limit leaves the file as it was; should a later step
// fail all the same, the old bytes are written back.
Replacement replaceInPlace(const std::string& target, std::string_view bytes, FileReaders readers)
{
    std::string reason;
    Descriptor file{openRegular(target, O_RDWR | O_NOFOLLOW, reason)};
    if (file.fd < 0)
        return {reason.empty() ? reasonOf(ENOENT) : reason};
    if (readers == FileReaders::OwnerOnly) {
        struct stat info {};
        if (::fstat(file.fd, &info) != 0 || ::fchmod(file.fd, modeFor(info.st_mode, readers)) != 0)
            return {reasonOf(errno)};
    }
    std::string old;
    if (Result read = readAll(file.fd, old); !read.ok())
        return {read.reason};

    const off_t length = off_t(bytes.size());
    if (bytes.size() > old.size()) {
        // Returns the error rather than setting errno. A file system that
        // cannot take space ahead is written all the same, the old bytes
        // then kept by writing them back.
        const int error = ::posix_fallocate(file.fd, 0, length);
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL) {
            ::ftruncate(file.fd, off_t(old.size()));
            return {reasonOf(error)};
        }
    }
    Result outcome = writeAll(file.fd, bytes);
    if (outcome.ok() && ::ftruncate(file.fd, length) != 0)
        outcome = failure(errno);
    if (!outcome.ok()) {
        if (writeAll(file.fd, old).ok())
            ::ftruncate(file.fd, off_t(old.size()));
        ::fsync(file.fd);
        return {outcome.reason};
    }
    // From here on the file holds the new bytes; what fails is only the
    // certainty that they are on the disk.
    if (::fsync(file.fd) != 0)
        return failedAfterWrite(errno);
    if (::close(std::exchange(file.fd, -1)) != 0)
        return failedAfterWrite(errno);
    return {};
}

std::string temporaryPrefix(const std::string& name)
{
    return "." + name + std::string(kTemporaryTag);
}

// A name mkostemp makes from the temporary prefix and "XXXXXX": six letters
// or digits after it.
bool isTemporaryName(const std::string& entry, const std::string& name)
{
    const std::string prefix = temporaryPrefix(name);
    if (entry.size() != prefix.size() + kTemporaryRandomLength || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

}  // namespace

FileBytes PosixFileStore::read(const std::string& path) const
{
    FileBytes result;
    Descriptor file{openRegular(path, O_RDONLY, result.error)};
    if (file.fd < 0)
        return result;
    result.exists = true;
    struct stat info {};
    if (::fstat(file.fd, &info) == 0 && info.st_size > 0)
        result.bytes.reserve(std::size_t(info.st_size));
    if (Result read = readAll(file.fd, result.bytes); !read.ok()) {
        result.error = read.reason;
        result.bytes.clear();
    }
    return result;
}

Replacement PosixFileStore::replace(const std::string& path, std::string_view bytes, FileReaders readers)
{
    const std::string target = targetOf(path);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode))
        return {kNotRegular};
    // A file without any write permission is read-only, even for root, as
    // Windows treats a file with the read-only attribute.
    if (exists && !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return {"文件是只读的"};

    // mkostemp makes the file 0600, so the new bytes are never readable by
    // more people than the result will be.
    const std::string folderPath = folderOf(target);
    std::string temporary = folderPath + "/" + temporaryPrefix(nameOf(target)) + "XXXXXX";
    Descriptor file{::mkostemp(temporary.data(), O_CLOEXEC)};
    if (file.fd < 0) {
        const int error = errno;
        // The folder takes no new file, but the file itself may still be
        // writable: it is then written where it is.
        if (exists && (error == EACCES || error == EPERM))
            return replaceInPlace(target, bytes, readers);
        return {reasonOf(error)};
    }

    Result outcome = writeAll(file.fd, bytes);
    if (outcome.ok() && ::fchmod(file.fd, modeFor(exists ? info.st_mode : kNewFileMode, readers)) != 0)
        outcome = failure(errno);
    if (outcome.ok() && ::fsync(file.fd) != 0)
        outcome = failure(errno);
    if (outcome.ok() && ::close(std::exchange(file.fd, -1)) != 0)
        outcome = failure(errno);
    if (outcome.ok() && ::rename(temporary.c_str(), target.c_str()) != 0)
        outcome = failure(errno);
    if (!outcome.ok()) {
        ::unlink(temporary.c_str());
        return {outcome.reason};
    }
    // The rename is on disk only once the folder is; until then the file
    // holds the change, but a power cut may still undo it.
    Descriptor folder{::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0 && ::fsync(folder.fd) != 0 && errno != EINVAL)
        return failedAfterWrite(errno);
    return {};
}

void PosixFileStore::removeLeftovers(const std::string& path)
{
    const std::string target = targetOf(path);
    const std::string name = nameOf(target);
    if (name.empty())
        return;
    DIR* folder = ::opendir(folderOf(target).c_str());
    if (!folder)
        return;
    const int fd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        if (!isTemporaryName(entry->d_name, name))
            continue;
        // Only regular files: a folder or link of that name is someone
        // else's, and a link is not followed.
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(folder);
}
