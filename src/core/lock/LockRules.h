#pragma once

#include "core/window/PixelGeometry.h"

#include <cstdint>

// The rules of the screen lock that do not depend on a window system.


// The pointer's rectangle: 3,800 x 2,800 twips centred on a screen of the
// given size in twips, with the window at (leftTwips, topTwips), converted
// to pixels with halves to even.
PixelRect lockRectangle(double screenWidthTwips, double screenHeightTwips, double twipsPerPixelX,
                        double twipsPerPixelY, double leftTwips = 0, double topTwips = 0);

// A key event as a low-level keyboard hook sees it.
struct KeyRecord {
    std::uint32_t message = 0;      // 0x0100 key down, 0x0101 key up, 0x0104/0x0105 the same with Alt
    std::uint32_t virtualKey = 0;   // Windows virtual-key code
    std::uint32_t flags = 0;        // bit 0x20: Alt is down
};
inline constexpr std::uint32_t kAltDownFlag = 0x20;

// Whether the lock swallows the event: Alt+Tab, Alt+Esc, Ctrl+Esc (and so
// Ctrl+Shift+Esc), every F4, both Windows keys and the menu key, going down
// and coming up. Other messages and keys pass.
bool lockSwallowsKey(int hookCode, const KeyRecord& key, bool ctrlDown);

// The banner's next colour from three draws in [0, 1), as 0xRRGGBB; each
// component lies in 0..254.
std::uint32_t bannerColour(double r1, double r2, double r3);
