#include "platform/windows/services/WinLockGuard.h"

#include "../WindowSession.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>
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

// A visible top-level window of the test, destroyed with the object.
class TestWindow {
public:
    explicit TestWindow(RECT place = {100, 100, 500, 400}, HWND owner = nullptr)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = testWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"OmbrelLockGuardTest";
        RegisterClassW(&windowClass);
        handle = CreateWindowExW(0, L"OmbrelLockGuardTest", L"lock", WS_OVERLAPPEDWINDOW, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        if (handle) {
            ShowWindow(handle, SW_SHOW);
            SetForegroundWindow(handle);
            SetFocus(handle);
            wintest::pump(50);
        }
    }
    ~TestWindow()
    {
        if (handle)
            DestroyWindow(handle);
    }
    NativeWindow native() const { return WinLockGuard::nativeWindow(handle); }
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
    const Result held = guard.holdKeyboard(window.native());
    ASSERT_TRUE(held.ok()) << held.reason;
    EXPECT_TRUE(guard.holdsKeyboard());

    std::vector<INPUT> altTab{keyInput(VK_MENU, false), keyInput(VK_TAB, false), keyInput(VK_TAB, true),
                              keyInput(VK_MENU, true)};
    const UINT sent = SendInput(UINT(altTab.size()), altTab.data(), sizeof(INPUT));
    wintest::pump(300);
    if (sent == 0 || guard.keysSeen() == 0)
        GTEST_SKIP() << "the system passes no sent keys to a low-level hook here (SendInput sent " << sent << ")";
    // Tab down and up, with Alt held.
    EXPECT_EQ(guard.keysSwallowed(), 2);
    EXPECT_EQ(guard.keysSeen(), 4);

    windowKeyDowns = 0;
    windowChars = 0;
    std::vector<INPUT> letter{keyInput('A', false), keyInput('A', true)};
    SendInput(UINT(letter.size()), letter.data(), sizeof(INPUT));
    wintest::pump(300);
    EXPECT_EQ(guard.keysSwallowed(), 2);
    EXPECT_EQ(guard.keysSeen(), 6);
    std::cout << "the window got " << windowKeyDowns << " key-down and " << windowChars << " character messages\n";
    EXPECT_GE(windowKeyDowns, 1);

    guard.releaseKeyboard(window.native());
    EXPECT_FALSE(guard.holdsKeyboard());
    SendInput(UINT(altTab.size()), altTab.data(), sizeof(INPUT));
    wintest::pump(200);
    EXPECT_EQ(guard.keysSeen(), 6);
}

// A warp to the corner of the screen ends at the rectangle's corner.
TEST(WinLockGuard, ConfinedPointerStaysInTheRectangle)
{
    if (!haveScreen())
        GTEST_SKIP() << "no screen";
    WinLockGuard guard;
    const PixelRect rect{200, 150, 400, 300};
    const Result confined = guard.confinePointer(0, rect);
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

    guard.freePointer(0);
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
    guard.keepOnTop(window.native());
    guard.makeTranslucent(window.native(), 150);
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
    ASSERT_TRUE(guard.confinePointer(window.native(), PixelRect{200, 150, 400, 300}).ok());
    for (const int attack : {SW_MINIMIZE, SW_HIDE, SW_SHOWMINNOACTIVE}) {
        SCOPED_TRACE(attack);
        ShowWindow(window.handle, attack);
        SetWindowPos(window.handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        ClipCursor(nullptr);
        ASSERT_TRUE(IsIconic(window.handle) || !IsWindowVisible(window.handle));
        ASSERT_TRUE(guard.restore(window.native()).ok());
        wintest::pump(50);
        EXPECT_TRUE(IsWindowVisible(window.handle) && !IsIconic(window.handle));
        EXPECT_TRUE(GetWindowLongW(window.handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT clip{};
        ASSERT_TRUE(GetClipCursor(&clip));
        EXPECT_TRUE(clip.left == 200 && clip.top == 150 && clip.right == 400 && clip.bottom == 300);
    }
}

// Another program hiding, minimising or covering the lock is reported from
// the message loop; the guard's own restore, a window beside the lock, one
// the lock owns and anything after the watch ended are not. Wine (8) sends
// none of these window events itself, so each step sends the one Windows
// sends. The other windows are topmost, as the lock is after a restore.
TEST(WinLockGuard, WatchReportsWhatDisturbsTheWindow)
{
    TestWindow lock;
    if (!lock.handle)
        GTEST_SKIP() << "no window can be made here (Wine without a display)";
    WinLockGuard guard;
    int reports = 0;
    guard.watchWindow(lock.native(), [&] { ++reports; });
    std::vector<std::unique_ptr<TestWindow>> others;
    const auto other = [&](RECT place, HWND owner = nullptr) {
        const HWND made = others.emplace_back(std::make_unique<TestWindow>(place, owner))->handle;
        SetWindowPos(made, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        return made;
    };
    const auto lockAfter = [&](auto act) { return [&lock, act] { act(); return lock.handle; }; };
    const auto restore = lockAfter([&] { guard.restoreWindow(lock.native()); });
    const struct {
        std::function<HWND()> act;  // gives the window of the event
        DWORD event;
        bool reported;
    } steps[] = {
        {lockAfter([&] { ShowWindow(lock.handle, SW_HIDE); }), EVENT_OBJECT_HIDE, true},
        {restore, EVENT_OBJECT_SHOW, false},
        {lockAfter([&] { ShowWindow(lock.handle, SW_MINIMIZE); }), EVENT_SYSTEM_MINIMIZESTART, true},
        {restore, EVENT_OBJECT_SHOW, false},
        {[&] { return other({600, 100, 700, 200}); }, EVENT_OBJECT_SHOW, false},
        {[&] { return other({200, 200, 400, 300}, lock.handle); }, EVENT_OBJECT_SHOW, false},
        {[&] { return other({300, 300, 700, 500}); }, EVENT_OBJECT_SHOW, true},
        {[&] { return other({150, 150, 250, 250}); }, EVENT_SYSTEM_FOREGROUND, true},
        {lockAfter([&] { guard.watchWindow(lock.native(), {}); ShowWindow(lock.handle, SW_HIDE); }), EVENT_OBJECT_HIDE,
         false},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        wintest::pump(100);
        reports = 0;
        NotifyWinEvent(steps[i].event, steps[i].act(), OBJID_WINDOW, CHILDID_SELF);
        wintest::pump(300);
        EXPECT_EQ(reports > 0, steps[i].reported) << reports << " reports";
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
    const Result blocked = guard.blockTaskManager(0);
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
