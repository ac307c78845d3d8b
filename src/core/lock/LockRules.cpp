#include "LockRules.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBoxWidthTwips = 3800;
constexpr double kBoxHeightTwips = 2800;

// Twips to pixels, to the nearest pixel with halves to even (std::nearbyint
// in the default rounding mode), as Twips::toPixels converts.
int toPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

constexpr std::uint32_t kKeyDown = 0x0100;
constexpr std::uint32_t kKeyUp = 0x0101;
constexpr std::uint32_t kSysKeyDown = 0x0104;
constexpr std::uint32_t kSysKeyUp = 0x0105;

constexpr std::uint32_t kTab = 0x09;
constexpr std::uint32_t kEscape = 0x1B;
constexpr std::uint32_t kF4 = 0x73;
constexpr std::uint32_t kLeftWindows = 0x5B;
constexpr std::uint32_t kRightWindows = 0x5C;
constexpr std::uint32_t kApplications = 0x5D;

// One colour component from a draw in [0, 1); a draw outside that range
// still gives a component the banner can show.
std::uint32_t component(double r)
{
    const double scaled = std::floor(r * 255);
    if (!(scaled >= 0))  // also catches NaN
        return 0;
    return static_cast<std::uint32_t>(std::min(scaled, 254.0));
}

}  // namespace

PixelRect lockRectangle(double screenWidthTwips, double screenHeightTwips, double twipsPerPixelX,
                        double twipsPerPixelY, double leftTwips, double topTwips)
{
    const double marginX = (screenWidthTwips - kBoxWidthTwips) / 2;
    const double marginY = (screenHeightTwips - kBoxHeightTwips) / 2;
    return {
        toPixels(marginX + leftTwips, twipsPerPixelX),
        toPixels(marginY + topTwips, twipsPerPixelY),
        toPixels(marginX + kBoxWidthTwips + leftTwips, twipsPerPixelX),
        toPixels(marginY + kBoxHeightTwips + topTwips, twipsPerPixelY),
    };
}

bool lockSwallowsKey(int hookCode, const KeyRecord& key, bool ctrlDown)
{
    if (hookCode != 0)
        return false;
    switch (key.message) {
    case kKeyDown:
    case kKeyUp:
    case kSysKeyDown:
    case kSysKeyUp:
        break;
    default:
        return false;
    }
    const bool altDown = (key.flags & kAltDownFlag) != 0;
    switch (key.virtualKey) {
    case kTab:
        return altDown;
    case kEscape:
        return altDown || ctrlDown;
    case kF4:
    case kLeftWindows:
    case kRightWindows:
    case kApplications:
        return true;
    default:
        return false;
    }
}

std::uint32_t bannerColour(double r1, double r2, double r3)
{
    return component(r1) << 16 | component(r2) << 8 | component(r3);
}
