#include "platform/windows/services/WinDesktop.h"

#include "../WindowSession.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<WPARAM> keysDown;

LRESULT CALLBACK desktopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN)
        keysDown.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// Without a desktop window the refresh fails; with one (the test's, of
// Explorer's class and title) the window gets F5.
TEST(WinDesktop, RefreshPressesF5OnTheDesktopWindow)
{
    if (!wintest::canMakeWindows() || FindWindowA("Progman", "Program Manager"))
        GTEST_SKIP() << "no window can be made here, or the system has a desktop window of its own";
    WinDesktop desktop;
    EXPECT_FALSE(desktop.refresh().ok());
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = desktopProc;
    windowClass.lpszClassName = L"Progman";
    ASSERT_TRUE(RegisterClassW(&windowClass));
    const HWND window = CreateWindowExW(0, L"Progman", L"Program Manager", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
    const Result refreshed = desktop.refresh();
    wintest::pump(100);
    DestroyWindow(window);
    UnregisterClassW(L"Progman", nullptr);
    EXPECT_TRUE(refreshed.ok()) << refreshed.reason;
    EXPECT_EQ(keysDown, std::vector<WPARAM>{VK_F5});
}
