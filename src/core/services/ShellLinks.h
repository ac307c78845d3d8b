#pragma once

#include "core/Result.h"

#include <string>

enum class SpecialFolder { Desktop, StartMenu };

// What a shortcut file holds.
struct ShortcutFields {
    std::string name;              // what menus and desktops show
    std::string target;            // the program or document it starts
    std::string workingDirectory;  // the folder the target starts in
    std::string hotkey;            // such as "ALT+CTRL+R"; empty for none
};

// Shortcut files: the system's own kind, written so that the desktop and the
// default handlers start their targets.
class ShellLinks {
public:
    virtual ~ShellLinks() = default;
    // The file name ending of a shortcut, such as ".lnk".
    virtual std::string suffix() const = 0;
    // The full path of a folder of the current user, without a trailing
    // separator; the empty text when the system has none.
    virtual std::string specialFolder(SpecialFolder folder) const = 0;
    // Writes the shortcut file, replacing one of the same name.
    virtual Result save(const std::string& file, const ShortcutFields& fields) = 0;
};
