#include "WinScreen.h"

#include <windows.h>

namespace {

constexpr double kTwipsPerInch = 1440;

// GetDpiForSystem, looked up once; null where user32 lacks it.
UINT(WINAPI* dpiForSystem())()
{
    using Function = UINT(WINAPI*)();
    static const Function function = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

// A resolution that cannot be read counts as 96 dpi, the system's default.
double WinScreen::twipsPer(int deviceCapability)
{
    int dpi = 0;
    if (const auto function = dpiForSystem()) {
        dpi = int(function());
    } else if (const HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, deviceCapability);
        ReleaseDC(nullptr, screen);
    }
    return kTwipsPerInch / (dpi > 0 ? dpi : 96);
}

double WinScreen::twipsPerPixelX() const
{
    return twipsPer(LOGPIXELSX);
}

double WinScreen::twipsPerPixelY() const
{
    return twipsPer(LOGPIXELSY);
}

PixelRect WinScreen::geometry() const
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info))
        return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
