#pragma once

#include <string>

// The folders of the program's files. UTF-8, without a trailing separator.
class AppFolder {
public:
    virtual ~AppFolder() = default;
    // The folder of the profile and the launch shortcut: the executable's,
    // or a per-user folder for an installed copy that cannot write there.
    virtual std::string path() const = 0;
    // The executable's own folder, where the files shipped with it lie.
    virtual std::string programFolder() const = 0;
};
