#include "WinLockGuard.h"

#include "platform/windows/WideText.h"

#include <string>

namespace {

// The guard whose hook is installed. The hook procedure has no parameter of
// its own, and it runs on the thread that installed it, the one that uses
// the guard, so no lock is needed.
WinLockGuard* hookOwner = nullptr;
// The guard whose window events are watched, for the same reason.
WinLockGuard* watchOwner = nullptr;

const wchar_t kReporterClass[] = L"OmbrelLockGuardReporter";
constexpr UINT kReportMessage = WM_APP + 2;

HWND hwndOf(NativeWindow window)
{
    return reinterpret_cast<HWND>(window);
}

// Whether above lies above below in the window order.
bool isAbove(HWND above, HWND below)
{
    for (HWND next = GetWindow(above, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (next == below)
            return true;
    return false;
}

bool isOwnedBy(HWND window, HWND owner)
{
    for (HWND up = GetWindow(window, GW_OWNER); up; up = GetWindow(up, GW_OWNER))
        if (up == owner)
            return true;
    return false;
}

}  // namespace

WinLockGuard::WinLockGuard() = default;

WinLockGuard::~WinLockGuard()
{
    stopWatching();
    if (reporter_)
        DestroyWindow(reporter_);
    releaseKeyboard(0);
    freePointer(0);
    releaseTaskManager();
}

Result WinLockGuard::confinePointer(NativeWindow, const PixelRect& rect)
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

void WinLockGuard::freePointer(NativeWindow)
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

Result WinLockGuard::holdKeyboard(NativeWindow native)
{
    const HWND window = hwndOf(native);
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

void WinLockGuard::releaseKeyboard(NativeWindow)
{
    if (!hook_)
        return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (hookOwner == this)
        hookOwner = nullptr;
}

void WinLockGuard::keepOnTop(NativeWindow native)
{
    const HWND window = hwndOf(native);
    if (window)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

// SW_RESTORE takes a minimised window back to its size before; a window
// that is only hidden is shown as it was. Any program may call ClipCursor,
// and the system frees the pointer at a desktop switch, so the clip is set
// again each time.
Result WinLockGuard::restore(NativeWindow native)
{
    const HWND window = hwndOf(native);
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

// Two ranges, so that the frequent events between them (names, values,
// the pointer's moves) never reach the thread: the foreground, the end of a
// move or resize and the start of a minimise; a window shown or hidden.
void WinLockGuard::watchWindow(NativeWindow native, std::function<void()> disturbed)
{
    stopWatching();
    if (!native || !disturbed)
        return;
    if (watchOwner)
        watchOwner->stopWatching();
    if (!reporter_) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WinLockGuard::reportProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kReporterClass;
        RegisterClassW(&windowClass);  // fails harmlessly when an earlier guard registered it
        reporter_ = CreateWindowExW(0, kReporterClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        if (!reporter_)
            return;  // no reports; the restore at every tick still holds the window
        SetWindowLongPtrW(reporter_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    watched_ = hwndOf(native);
    disturbed_ = std::move(disturbed);
    watchOwner = this;
    eventHooks_[0] = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_MINIMIZESTART, nullptr,
                                     &WinLockGuard::windowEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    eventHooks_[1] = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_HIDE, nullptr, &WinLockGuard::windowEvent, 0, 0,
                                     WINEVENT_OUTOFCONTEXT);
}

void WinLockGuard::stopWatching()
{
    for (HWINEVENTHOOK& hook : eventHooks_) {
        if (hook)
            UnhookWinEvent(hook);
        hook = nullptr;
    }
    if (watchOwner == this)
        watchOwner = nullptr;
    watched_ = nullptr;
    disturbed_ = nullptr;
}

bool WinLockGuard::disturbs(DWORD event, HWND window) const
{
    if (window == watched_)
        return event == EVENT_OBJECT_HIDE || event == EVENT_SYSTEM_MINIMIZESTART;
    if (event != EVENT_SYSTEM_FOREGROUND && event != EVENT_OBJECT_SHOW && event != EVENT_SYSTEM_MOVESIZEEND)
        return false;
    // Another top-level window, not one the lock window owns (its own
    // dialogs), visible, above the lock window and overlapping it.
    if (GetAncestor(window, GA_ROOT) != window || !IsWindowVisible(window) || isOwnedBy(window, watched_))
        return false;
    RECT mine{};
    RECT theirs{};
    RECT common{};
    if (!GetWindowRect(watched_, &mine) || !GetWindowRect(window, &theirs) || !IntersectRect(&common, &mine, &theirs))
        return false;
    return isAbove(window, watched_);
}

void CALLBACK WinLockGuard::windowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                        DWORD)
{
    WinLockGuard* owner = watchOwner;
    if (!owner || !window || object != OBJID_WINDOW || child != CHILDID_SELF || !owner->disturbs(event, window))
        return;
    // Several events of one disturbance make one report.
    if (!owner->reportPending_ && PostMessageW(owner->reporter_, kReportMessage, 0, 0))
        owner->reportPending_ = true;
}

LRESULT CALLBACK WinLockGuard::reportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<WinLockGuard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != kReportMessage || !self)
        return DefWindowProcW(window, message, wParam, lParam);
    self->reportPending_ = false;
    // A copy: the call may end the watch, which empties disturbed_.
    if (const std::function<void()> report = self->disturbed_)
        report();
    return 0;
}

void WinLockGuard::makeTranslucent(NativeWindow native, int alpha)
{
    const HWND window = hwndOf(native);
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
Result WinLockGuard::blockTaskManager(NativeWindow)
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
