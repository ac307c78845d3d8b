#pragma once

#include <QString>

// The folder that holds the program's files: its profile and, later, the
// sound and shortcut files beside the executable.
class AppFolder {
public:
    virtual ~AppFolder() = default;
    virtual QString path() const = 0;
};
