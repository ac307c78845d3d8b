#pragma once

#include <string>

// The folders of the program's files. UTF-8, without a trailing separator.
class AppFolder {
public:
    virtual ~AppFolder() = default;
    // The folder of the profile and the launch shortcut: the executable's,
    // or a per-user folder for an installed copy that cannot write there.
    virtual std::string path() const = 0;
    // Where the files shipped with the program lie: the executable's own
    // folder, or for a copy installed in a prefix's bin, <prefix>/share/ombrel.
    virtual std::string shippedFilesFolder() const = 0;
};
