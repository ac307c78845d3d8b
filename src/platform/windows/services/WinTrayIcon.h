#pragma once

#include "platform/TrayIcon.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

// The notification-area icon of the program, through Shell_NotifyIconW. It
// owns a hidden top-level window that receives the icon's messages; a
// message-only window would not do, since the taskbar announces a restart
// ("TaskbarCreated") by a broadcast that reaches top-level windows only.
// An icon the shell did not take is offered again every second for a
// minute, and whenever a taskbar announces itself.
class WinTrayIcon final : public TrayIcon {
public:
    // The message the shell sends to the window for events at the icon.
    static constexpr UINT kCallbackMessage = WM_APP + 1;

    WinTrayIcon();
    ~WinTrayIcon() override;  // removes the icon
    WinTrayIcon(const WinTrayIcon&) = delete;
    WinTrayIcon& operator=(const WinTrayIcon&) = delete;

    // Adds the icon with its tip (cut to the 63 characters the shell keeps);
    // handler receives each event at the icon, on the thread that made this.
    // A second call replaces picture, tip and handler.
    Result install(TrayPicture picture, const std::string& tip, Handler handler) override;
    bool installed() const { return installed_; }
    HWND window() const { return window_; }

    // What a callback message's lParam means to the program.
    static TrayEvent eventOf(LPARAM lParam);
    // The picture's icon: the program's own (icon resource 1) when the
    // executable has one, else the system's application icon. Shared icons,
    // never destroyed.
    static HICON iconOf(TrayPicture picture);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler onEvent_;
    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    NOTIFYICONDATAW data_{};
    bool installed_ = false;
    bool wanted_ = false;  // install was called: a new taskbar gets the icon
    int retriesLeft_ = 0;
};
