#pragma once

#include "core/services/DesktopApps.h"

#include <QString>
#include <QStringList>

class Shell;

// The desktop's places and tools through GIO. The computer and the trash are
// the gvfs places computer:/// and trash:/// when GIO can open them, and
// otherwise the root folder and the trash folder in the user's data folder.
// A tool is the first desktop entry found among those of the running desktop
// (XDG_CURRENT_DESKTOP, read at each call), then among those of the other
// desktops, in the order of the table in the source.
class LinuxDesktopApps final : public DesktopApps {
public:
    // folders opens the fallback folders in the user's file manager.
    explicit LinuxDesktopApps(Shell& folders);

    Result openPlace(Place place) override;
    Result start(Tool tool) override;

    // The desktop entries that may be the tool, the running desktop's first,
    // each named once.
    static QStringList candidates(Tool tool, const QString& currentDesktop);
    // The folder of the freedesktop trash that holds the deleted files.
    static QString trashFilesFolder();

private:
    Shell& folders_;
};
