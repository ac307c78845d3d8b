#pragma once

#include "core/services/Desktop.h"

// On X11 the desktop is the window whose EWMH type is "desktop" (drawn by
// the file manager or the desktop shell); it is sent an F5 key press.
class LinuxDesktop final : public Desktop {
public:
    Result refresh() override;
};
