#pragma once

#include "platform/Screen.h"

// The screen as Windows reports it: the system's logical resolution
// (GetDpiForSystem where user32 has it, from Windows 10 1607 on, else the
// screen device context's LOGPIXELSX and LOGPIXELSY) and the primary
// monitor's rectangle.
class WinScreen final : public Screen {
public:
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    PixelRect geometry() const override;

private:
    static double twipsPer(int deviceCapability);
};
