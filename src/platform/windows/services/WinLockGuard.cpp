#include "WinLockGuard.h"

#include "platform/windows/WideText.h"

#include <string>

namespace {

// The guard whose hook is installed. The hook procedure has no parameter of
// its own, and it runs on the thread that installed it, the one that uses
// the guard, so no lock is needed.
WinLockGuard* hookOwner = nullptr;

}  // namespace

WinLockGuard::WinLockGuard() = default;

WinLockGuard::~WinLockGuard()
{
    releaseKeyboard(nullptr);
    freePointer(nullptr);
    releaseTaskManager();
}

Result WinLockGuard::confinePointer(HWND, const PixelRect& rect)
{
    // At least one pixel, as an empty rectangle would free the pointer.
    RECT clip{rect.left, rect.top, rect.right > rect.left ? rect.right : rect.left + 1,
              rect.bottom > rect.top ? rect.bottom : rect.top + 1};
    if (!ClipCursor(&clip))
        return Result::failure("鼠标锁不住：" + wintext::systemMessage(GetLastError()));
    confined_ = true;
    clip_ = clip;
    return Result::success();
}

void WinLockGuard::freePointer(HWND)
{
    if (!confined_)
        return;
    ClipCursor(nullptr);
    confined_ = false;
}

LRESULT CALLBACK WinLockGuard::keyboardHook(int code, WPARAM message, LPARAM data)
{
    WinLockGuard* owner = hookOwner;
    if (owner && code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        // A system key message for Tab or Esc means Alt is held; Wine sends
        // such messages without setting the Alt flag, so the flag is added.
        std::uint32_t flags = std::uint32_t(event->flags);
        if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
            flags |= kAltDownFlag;
        const KeyRecord key{std::uint32_t(message), std::uint32_t(event->vkCode), flags};
        // The thread's own key state lags behind while another window has the
        // focus, so the state of the keyboard itself counts as well.
        const bool ctrlDown = GetKeyState(VK_CONTROL) < 0 || GetAsyncKeyState(VK_CONTROL) < 0;
        ++owner->keysSeen_;
        if (lockSwallowsKey(code, key, ctrlDown)) {
            ++owner->keysSwallowed_;
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

Result WinLockGuard::holdKeyboard(HWND window)
{
    if (hookOwner && hookOwner != this)
        return Result::failure("键盘已经被另一个锁屏占用");
    if (!hook_) {
        hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, GetModuleHandleW(nullptr), 0);
        if (!hook_)
            return Result::failure("键盘锁不住：" + wintext::systemMessage(GetLastError()));
        hookOwner = this;
        keysSeen_ = 0;
        keysSwallowed_ = 0;
    }
    if (window)
        SetForegroundWindow(window);
    return Result::success();
}

void WinLockGuard::releaseKeyboard(HWND)
{
    if (!hook_)
        return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (hookOwner == this)
        hookOwner = nullptr;
}

void WinLockGuard::keepOnTop(HWND window)
{
    if (window)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

// SW_RESTORE takes a minimised window back to its size before; a window
// that is only hidden is shown as it was. Any program may call ClipCursor,
// and the system frees the pointer at a desktop switch, so the clip is set
// again each time.
Result WinLockGuard::restoreWindow(HWND window)
{
    if (window) {
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        else if (!IsWindowVisible(window))
            ShowWindow(window, SW_SHOW);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    }
    if (confined_ && !ClipCursor(&clip_))
        return Result::failure("鼠标锁不住：" + wintext::systemMessage(GetLastError()));
    return Result::success();
}

void WinLockGuard::makeTranslucent(HWND window, int alpha)
{
    if (!window)
        return;
    const int clamped = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
    const LONG style = GetWindowLongW(window, GWL_EXSTYLE);
    if (!(style & WS_EX_LAYERED))
        SetWindowLongW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, BYTE(clamped), LWA_ALPHA);
}

std::wstring WinLockGuard::taskManagerPath()
{
    std::wstring folder;
    const DWORD needed = GetEnvironmentVariableW(L"WINDIR", nullptr, 0);
    if (needed > 0) {
        folder.resize(needed);
        const DWORD length = GetEnvironmentVariableW(L"WINDIR", folder.data(), needed);
        folder.resize(length < needed ? length : 0);
    }
    if (folder.empty()) {
        // Without the variable, the Windows folder the system reports.
        folder.resize(MAX_PATH);
        const UINT length = GetWindowsDirectoryW(folder.data(), UINT(folder.size()));
        folder.resize(length < folder.size() ? length : 0);
    }
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    return folder + L"\\system32\\taskmgr.exe";
}

// Read access shared for writing only: while the handle is open, nobody can
// open the file to read or run it, which is what starting it takes.
Result WinLockGuard::blockTaskManager(HWND)
{
    if (holdsTaskManager())
        return Result::success();
    const std::wstring path = taskManagerPath();
    taskManager_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (taskManager_ != INVALID_HANDLE_VALUE)
        return Result::success();
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return Result::failure("找不到任务管理器 " + wintext::toUtf8(path));
    return Result::failure("占不住任务管理器 " + wintext::toUtf8(path) + "：" + wintext::systemMessage(error));
}

void WinLockGuard::releaseTaskManager()
{
    if (!holdsTaskManager())
        return;
    CloseHandle(taskManager_);
    taskManager_ = INVALID_HANDLE_VALUE;
}
