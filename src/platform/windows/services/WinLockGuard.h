#pragma once

#include "core/Result.h"
#include "core/lock/LockRules.h"

#include <windows.h>

#include <string>

// The lock's hold on a Windows desktop, given the lock window's handle:
// - the pointer: ClipCursor to the rectangle (the system lets go of it when
//   the desktop switches, e.g. at Ctrl+Alt+Del, so the caller confines again
//   after such a change);
// - the keyboard: a low-level keyboard hook that swallows the keys that
//   switch or leave the program (lockSwallowsKey), and the window brought to
//   the foreground so that the other keys reach it. The hook runs on the
//   message loop of the thread that installed it, so holdKeyboard must be
//   called on the UI thread and that thread must keep pumping messages, or
//   the system passes keys on without asking it;
// - on top: the topmost band of the window order;
// - put back: another program can minimise or hide the lock window, take it
//   out of the topmost band or free the pointer, so restoreWindow, called at
//   every tick, undoes all of it;
// - translucency: a layered window with one alpha for the whole window;
// - the task manager: its program file held open without read sharing, so
//   that the system cannot open it to start it. The file is let go again by
//   releaseTaskManager at unlock, and when the guard goes.
// Only one guard at a time can hold the keyboard.
class WinLockGuard final {
public:
    WinLockGuard();
    ~WinLockGuard();
    WinLockGuard(const WinLockGuard&) = delete;
    WinLockGuard& operator=(const WinLockGuard&) = delete;

    // Keeps the pointer inside rect (screen pixels, right and bottom outside);
    // a failure says why.
    Result confinePointer(HWND window, const PixelRect& rect);
    void freePointer(HWND window);
    // A failure says why.
    Result holdKeyboard(HWND window);
    void releaseKeyboard(HWND window);
    void keepOnTop(HWND window);
    // Shows the window again if it is minimised or hidden, puts it back at the
    // top of the topmost band and, while the pointer is confined, clips it to
    // the same rectangle again; a failure to clip says why.
    Result restoreWindow(HWND window);
    // alpha 0 (invisible) to 255 (opaque).
    void makeTranslucent(HWND window, int alpha);
    Result blockTaskManager(HWND window);
    void releaseTaskManager();

    bool holdsKeyboard() const { return hook_ != nullptr; }
    bool holdsTaskManager() const { return taskManager_ != INVALID_HANDLE_VALUE; }
    // The key events the hook has looked at and swallowed while held.
    int keysSeen() const { return keysSeen_; }
    int keysSwallowed() const { return keysSwallowed_; }

    // The task manager's program file: %WINDIR%\system32\taskmgr.exe.
    static std::wstring taskManagerPath();

private:
    static LRESULT CALLBACK keyboardHook(int code, WPARAM message, LPARAM data);

    HHOOK hook_ = nullptr;
    bool confined_ = false;
    RECT clip_{};  // where confinePointer keeps the pointer
    HANDLE taskManager_ = INVALID_HANDLE_VALUE;
    int keysSeen_ = 0;
    int keysSwallowed_ = 0;
};
