#pragma once

#include <string>

// The folder that holds the program's files: its profile, the ring and the
// launch shortcut beside the executable. UTF-8, without a trailing separator.
class AppFolder {
public:
    virtual ~AppFolder() = default;
    virtual std::string path() const = 0;
};
