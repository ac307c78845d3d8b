#pragma once

#include "core/services/FileDialogs.h"

#include <QString>

// Whether the dialog's "programs" filter shows path: folders, to walk
// through, and the files a shortcut starts as programs.
bool acceptedAsProgram(const QString& path, bool isFolder);

// Qt's own file dialog: the portal and native dialogs take no proxy model,
// and only a proxy can tell programs from other files.
// The dialog is modal over the application's active window, or stands on
// its own when none is active.
class LinuxFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> chooseProgram() override;
};
