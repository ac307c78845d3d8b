#pragma once

#include <windows.h>

// Helpers of the Windows tests that make windows.
namespace wintest {

// Whether this session can make top-level windows: Wine without a display
// cannot.
inline bool canMakeWindows()
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (window)
        DestroyWindow(window);
    return window != nullptr;
}

// Runs the thread's messages for about ms milliseconds.
inline void pump(int ms)
{
    const DWORD end = GetTickCount() + DWORD(ms);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (int(end - GetTickCount()) > 0);
}

// The first visible window of the class and title (any title when null),
// waited for up to ms milliseconds; null when none came.
inline HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title, int ms = 10000)
{
    for (int waited = 0; waited < ms; waited += 20) {
        const HWND found = FindWindowW(windowClass, title);
        if (found && IsWindowVisible(found))
            return found;
        Sleep(20);
    }
    return nullptr;
}

}  // namespace wintest
