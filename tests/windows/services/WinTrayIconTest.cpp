#include "platform/windows/services/WinTrayIcon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Whether this session can show windows at all: Wine without a display
// cannot, and then it has no taskbar either.
bool hasDisplay()
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (window)
        DestroyWindow(window);
    return window != nullptr;
}

// The taskbar, waited for a while: Wine starts it beside the first program.
bool taskbarFound()
{
    for (int i = 0; i < 100; ++i) {
        if (FindWindowW(L"Shell_TrayWnd", nullptr))
            return true;
        Sleep(100);
    }
    return false;
}

}  // namespace

TEST(WinTrayIcon, IsAddedAndRemoved)
{
    // Wine has a taskbar only with a display; tools/test-windows.sh runs
    // without one.
    if (!hasDisplay())
        GTEST_SKIP() << "no display, so no taskbar";
    ASSERT_TRUE(taskbarFound());
    const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    NOTIFYICONDATAW probe{};
    {
        WinTrayIcon tray([](TrayEvent) {});
        ASSERT_NE(tray.window(), nullptr);
        const Result added = tray.install(std::string(100, 'x'), icon);  // longer than the tip holds
        ASSERT_TRUE(added.ok()) << added.reason;
        EXPECT_TRUE(tray.installed());
        probe.cbSize = sizeof probe;
        probe.hWnd = tray.window();
        probe.uID = 1;
        // The icon is there: the shell accepts a change to it.
        EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));

        // A restarted taskbar knows no icons; on its announcement the icon
        // is added again.
        ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe));
        SendMessageW(tray.window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_TRUE(tray.installed());
        EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    }
    // The destructor removed it, with its window.
    EXPECT_FALSE(IsWindow(probe.hWnd));
}

TEST(WinTrayIcon, TellsTheEventsOfItsCallbackMessage)
{
    std::vector<TrayEvent> events;
    WinTrayIcon tray([&](TrayEvent event) { events.push_back(event); });
    ASSERT_NE(tray.window(), nullptr);
    for (const LPARAM mouse : {WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN})
        EXPECT_EQ(SendMessageW(tray.window(), WinTrayIcon::kCallbackMessage, 1, mouse), 0);
    EXPECT_EQ(events, (std::vector<TrayEvent>{TrayEvent::Show, TrayEvent::MenuRequest, TrayEvent::Other,
                                              TrayEvent::Other, TrayEvent::Other}));
}
