#pragma once

#include "core/services/DesktopApps.h"

#include <string>
#include <string_view>

// Windows' own places and tools: "计算机" and the recycle bin in Explorer
// (explorer.exe from the Windows folder, given the shell folder's CLSID), the
// Control Panel (control.exe) and the Task Manager (taskmgr.exe) from the
// system folder.
class WinDesktopApps final : public DesktopApps {
public:
    Result openPlace(Place place) override;
    Result start(Tool tool) override;

    // One argument of a command line, quoted so that the C runtime's and
    // CommandLineToArgvW's splitting give it back unchanged.
    static std::wstring quotedArgument(std::wstring_view argument);
};
