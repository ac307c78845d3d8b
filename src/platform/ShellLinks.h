#pragma once

#include "Result.h"

#include <QString>

enum class SpecialFolder { Desktop, StartMenu };

// What a shortcut file holds.
struct ShortcutFields {
    QString name;              // what menus and desktops show
    QString target;            // the program or document it starts
    QString workingDirectory;  // the folder the target starts in
    QString hotkey;            // such as "ALT+CTRL+R"; empty for none
};

// Shortcut files: the system's own kind, written so that the desktop and the
// default handlers start their targets.
class ShellLinks {
public:
    virtual ~ShellLinks() = default;
    // The file name ending of a shortcut, such as ".lnk".
    virtual QString suffix() const = 0;
    // The full path of a folder of the current user, without a trailing
    // separator; the empty text when the system has none.
    virtual QString specialFolder(SpecialFolder folder) const = 0;
    // Writes the shortcut file, replacing one of the same name.
    virtual PlatformResult save(const QString& file, const ShortcutFields& fields) = 0;
};
