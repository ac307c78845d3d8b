#pragma once

#include "platform/FileDialogs.h"

// Whether the dialog's "programs" filter shows path: folders, to walk
// through, and the files a shortcut starts as programs.
bool acceptedAsProgram(const QString& path, bool isFolder);

// Qt's own file dialog: the portal and native dialogs take no proxy model,
// and only a proxy can tell programs from other files.
class LinuxFileDialogs final : public FileDialogs {
public:
    std::optional<QString> chooseProgram(QWidget* parent) override;
};
