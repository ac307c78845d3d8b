#include "platform/windows/services/WinScreen.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(WinScreen, TwipsFollowTheLogicalResolutionAndTheScreenIsThePrimaryMonitor)
{
    const HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    const WinScreen screen;
    EXPECT_DOUBLE_EQ(screen.twipsPerPixelX(), 1440.0 / dpiX);
    EXPECT_DOUBLE_EQ(screen.twipsPerPixelY(), 1440.0 / dpiY);

    const PixelRect rect = screen.geometry();
    EXPECT_GT(rect.width(), 0);
    EXPECT_GT(rect.height(), 0);
    EXPECT_EQ(rect, (PixelRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}
