#pragma once

#include "core/Result.h"
#include "core/app/TrayHostPresenter.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

// The notification-area icon of the program, through Shell_NotifyIconW. It
// owns a hidden top-level window that receives the icon's messages; a
// message-only window would not do, since the taskbar announces a restart
// ("TaskbarCreated") by a broadcast that reaches top-level windows only.
class WinTrayIcon {
public:
    // The message the shell sends to the window for events at the icon.
    static constexpr UINT kCallbackMessage = WM_APP + 1;

    // onEvent receives each event at the icon, on the thread that made this.
    explicit WinTrayIcon(std::function<void(TrayEvent)> onEvent);
    ~WinTrayIcon();  // removes the icon
    WinTrayIcon(const WinTrayIcon&) = delete;
    WinTrayIcon& operator=(const WinTrayIcon&) = delete;

    // Adds the icon with its tip (cut to the 63 characters the shell keeps).
    // The icon handle stays the caller's and must outlive this.
    Result install(const std::string& tip, HICON icon);
    bool installed() const { return installed_; }
    HWND window() const { return window_; }

    // What a callback message's lParam means to the program.
    static TrayEvent eventOf(LPARAM lParam);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void(TrayEvent)> onEvent_;
    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    NOTIFYICONDATAW data_{};
    bool installed_ = false;
};
