#include "platform/windows/services/WinTrayIcon.h"

#include "../WindowSession.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
    if (!wintest::canMakeWindows())
        GTEST_SKIP() << "no display, so no taskbar";
    ASSERT_TRUE(taskbarFound());
    // This test program has no icon resource: the system's icon stands in.
    EXPECT_EQ(WinTrayIcon::iconOf(TrayPicture::Application), LoadIconW(nullptr, IDI_APPLICATION));
    NOTIFYICONDATAW probe{};
    {
        WinTrayIcon tray;
        ASSERT_NE(tray.window(), nullptr);
        // Longer than the tip holds.
        const Result added = tray.install(TrayPicture::Application, std::string(100, 'x'), [](TrayEvent) {});
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
        // A second install changes the icon in place.
        EXPECT_TRUE(tray.install(TrayPicture::Application, "又一次", [](TrayEvent) {}).ok());
        EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));
    }
    // The destructor removed it, with its window.
    EXPECT_FALSE(IsWindow(probe.hWnd));
}

TEST(WinTrayIcon, TellsTheEventsOfItsCallbackMessage)
{
    std::vector<TrayEvent> events;
    WinTrayIcon tray;
    ASSERT_NE(tray.window(), nullptr);
    // The handler is kept even where no taskbar takes the icon.
    tray.install(TrayPicture::Application, "Ombrel", [&](TrayEvent event) { events.push_back(event); });
    for (const LPARAM mouse : {WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN})
        EXPECT_EQ(SendMessageW(tray.window(), WinTrayIcon::kCallbackMessage, 1, mouse), 0);
    EXPECT_EQ(events, (std::vector<TrayEvent>{TrayEvent::Show, TrayEvent::MenuRequest, TrayEvent::Other,
                                              TrayEvent::Other, TrayEvent::Other}));
}
