#include "WinDesktop.h"

#include "platform/windows/WideText.h"

#include <windows.h>

// The key is posted, not sent: the desktop belongs to another program, which
// may be busy, and the refresh needs no answer.
Result WinDesktop::refresh()
{
    const HWND desktop = FindWindowA("Progman", "Program Manager");
    if (!desktop)
        return Result::failure("找不到桌面窗口（Progman）");
    if (!PostMessageA(desktop, WM_KEYDOWN, VK_F5, 0))
        return Result::failure("无法刷新桌面：" + wintext::systemMessage(GetLastError()));
    return Result::success();
}
