#pragma once

#include "core/window/PixelGeometry.h"

// Facts about the screen the program's windows open on.
class Screen {
public:
    virtual ~Screen() = default;
    // Twips per pixel at the screen's logical resolution (15 at 96 dpi).
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // The main screen's rectangle, in which windows are centred.
    virtual PixelRect geometry() const = 0;
};
