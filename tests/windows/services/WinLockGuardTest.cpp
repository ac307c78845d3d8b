#include "platform/windows/services/WinLockGuard.h"

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

namespace {

// What the test window was sent by the keyboard.
int windowKeyDowns = 0;
int windowChars = 0;

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        ++windowKeyDowns;
    if (message == WM_CHAR)
        ++windowChars;
    return DefWindowProcW(window, message, w, l);
}

// Lets the thread's message loop run, which is where a low-level hook is
// called, for about ms milliseconds.
void pump(int ms)
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

// A visible top-level window of the test, destroyed with the object.
class TestWindow {
public:
    TestWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = testWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"OmbrelLockGuardTest";
        RegisterClassW(&windowClass);
        handle = CreateWindowExW(0, L"OmbrelLockGuardTest", L"lock", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (handle) {
            ShowWindow(handle, SW_SHOW);
            SetForegroundWindow(handle);
            SetFocus(handle);
            pump(50);
        }
    }
    ~TestWindow()
    {
        if (handle)
            DestroyWindow(handle);
    }
    HWND handle = nullptr;
};

// Whether the system has a screen that input and the pointer work on.
bool haveScreen()
{
    return GetSystemMetrics(SM_CXSCREEN) > 0 && GetDesktopWindow() != nullptr;
}

INPUT keyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

// Alt+Tab goes no further than the hook; a letter reaches the window.
TEST(WinLockGuard, KeyboardHookSwallowsAltTabAndPassesLetters)
{
    if (!haveScreen())
        GTEST_SKIP() << "no screen";
    TestWindow window;
    if (!window.handle)
        GTEST_SKIP() << "no window can be made here (Wine without a display)";
    WinLockGuard guard;
    const Result held = guard.holdKeyboard(window.handle);
    ASSERT_TRUE(held.ok()) << held.reason;
    EXPECT_TRUE(guard.holdsKeyboard());

    std::vector<INPUT> altTab{keyInput(VK_MENU, false), keyInput(VK_TAB, false), keyInput(VK_TAB, true),
                              keyInput(VK_MENU, true)};
    const UINT sent = SendInput(UINT(altTab.size()), altTab.data(), sizeof(INPUT));
    pump(300);
    if (sent == 0 || guard.keysSeen() == 0)
        GTEST_SKIP() << "the system passes no sent keys to a low-level hook here (SendInput sent " << sent << ")";
    // Tab down and up, with Alt held.
    EXPECT_EQ(guard.keysSwallowed(), 2);
    EXPECT_EQ(guard.keysSeen(), 4);

    windowKeyDowns = 0;
    windowChars = 0;
    std::vector<INPUT> letter{keyInput('A', false), keyInput('A', true)};
    SendInput(UINT(letter.size()), letter.data(), sizeof(INPUT));
    pump(300);
    EXPECT_EQ(guard.keysSwallowed(), 2);
    EXPECT_EQ(guard.keysSeen(), 6);
    std::cout << "the window got " << windowKeyDowns << " key-down and " << windowChars << " character messages\n";
    EXPECT_GE(windowKeyDowns, 1);

    guard.releaseKeyboard(window.handle);
    EXPECT_FALSE(guard.holdsKeyboard());
    SendInput(UINT(altTab.size()), altTab.data(), sizeof(INPUT));
    pump(200);
    EXPECT_EQ(guard.keysSeen(), 6);
}

// A warp to the corner of the screen ends at the rectangle's corner.
TEST(WinLockGuard, ConfinedPointerStaysInTheRectangle)
{
    if (!haveScreen())
        GTEST_SKIP() << "no screen";
    WinLockGuard guard;
    const PixelRect rect{200, 150, 400, 300};
    const Result confined = guard.confinePointer(nullptr, rect);
    ASSERT_TRUE(confined.ok()) << confined.reason;
    SetCursorPos(0, 0);
    POINT at{};
    ASSERT_TRUE(GetCursorPos(&at));
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 150);
    SetCursorPos(1000, 1000);
    GetCursorPos(&at);
    EXPECT_EQ(at.x, 399);
    EXPECT_EQ(at.y, 299);

    guard.freePointer(nullptr);
    SetCursorPos(10, 10);
    GetCursorPos(&at);
    EXPECT_EQ(at.x, 10);
    EXPECT_EQ(at.y, 10);
}

TEST(WinLockGuard, WindowBecomesTopmostAndLayered)
{
    TestWindow window;
    if (!window.handle)
        GTEST_SKIP() << "no window can be made here (Wine without a display)";
    WinLockGuard guard;
    guard.keepOnTop(window.handle);
    guard.makeTranslucent(window.handle, 150);
    const LONG style = GetWindowLongW(window.handle, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_EX_TOPMOST);
    EXPECT_TRUE(style & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window.handle, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 150);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));
}

// Another program minimises or hides the lock, takes it out of the topmost
// band and frees the pointer: the restore puts all of it back.
TEST(WinLockGuard, RestoreBringsBackAMinimisedOrHiddenWindow)
{
    TestWindow window;
    if (!haveScreen() || !window.handle)
        GTEST_SKIP() << "no screen or no window here (Wine without a display)";
    WinLockGuard guard;
    ASSERT_TRUE(guard.confinePointer(window.handle, PixelRect{200, 150, 400, 300}).ok());
    for (const int attack : {SW_MINIMIZE, SW_HIDE, SW_SHOWMINNOACTIVE}) {
        SCOPED_TRACE(attack);
        ShowWindow(window.handle, attack);
        SetWindowPos(window.handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        ClipCursor(nullptr);
        ASSERT_TRUE(IsIconic(window.handle) || !IsWindowVisible(window.handle));
        ASSERT_TRUE(guard.restoreWindow(window.handle).ok());
        pump(50);
        EXPECT_TRUE(IsWindowVisible(window.handle) && !IsIconic(window.handle));
        EXPECT_TRUE(GetWindowLongW(window.handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT clip{};
        ASSERT_TRUE(GetClipCursor(&clip));
        EXPECT_TRUE(clip.left == 200 && clip.top == 150 && clip.right == 400 && clip.bottom == 300);
    }
}

// While held, the file cannot be opened for reading, which starting the
// program needs; once let go, it can.
TEST(WinLockGuard, TaskManagerFileIsHeldUntilReleased)
{
    const std::wstring path = WinLockGuard::taskManagerPath();
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no task manager file here";
    WinLockGuard guard;
    const Result blocked = guard.blockTaskManager(nullptr);
    ASSERT_TRUE(blocked.ok()) << blocked.reason;
    EXPECT_TRUE(guard.holdsTaskManager());

    const auto openForReading = [&] {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        const DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        return error;
    };
    EXPECT_EQ(openForReading(), DWORD(ERROR_SHARING_VIOLATION));
    guard.releaseTaskManager();
    EXPECT_FALSE(guard.holdsTaskManager());
    EXPECT_EQ(openForReading(), 0u);
}
