#include "LinuxFiles.h"

#include <sys/stat.h>

std::string LinuxFiles::fileNameOf(const std::string& path) const
{
    // A NUL would end the path early for the system, which would then
    // answer for another file.
    if (path.empty() || path.back() == '/' || path.find('\0') != std::string::npos)
        return {};
    const std::string name = path.substr(path.rfind('/') + 1);
    if (name.front() == '.')
        return {};
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return name;
}
