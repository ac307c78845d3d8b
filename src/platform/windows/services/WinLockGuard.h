#pragma once

#include "platform/LockGuard.h"

#include <windows.h>

#include <functional>
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
// - the watch: a WinEvent hook (out of context, so it runs on the message
//   loop of the thread that set it) reports the lock window hidden or
//   minimised, and another top-level window shown, brought to the
//   foreground, moved or raised where it overlaps the lock window from
//   above. The report is posted to a window of the guard and made from
//   there, so it never comes from inside a guard operation. The restore at
//   every tick does not need it; it only puts the window back sooner;
// - translucency: a layered window with one alpha for the whole window;
// - the task manager: its program file held open without read sharing, so
//   that the system cannot open it to start it. The file is let go again by
//   releaseTaskManager at unlock, and when the guard goes.
// Only one guard at a time can hold the keyboard. Every window given is an
// HWND (nativeWindow()).
class WinLockGuard final : public LockGuard {
public:
    WinLockGuard();
    ~WinLockGuard() override;
    WinLockGuard(const WinLockGuard&) = delete;
    WinLockGuard& operator=(const WinLockGuard&) = delete;

    static NativeWindow nativeWindow(HWND window) { return reinterpret_cast<NativeWindow>(window); }

    Result confinePointer(NativeWindow window, const PixelRect& rect) override;
    void freePointer(NativeWindow window) override;
    Result holdKeyboard(NativeWindow window) override;
    void releaseKeyboard(NativeWindow window) override;
    void keepOnTop(NativeWindow window) override;
    // Shows the window again if it is minimised or hidden, puts it back at the
    // top of the topmost band and, while the pointer is confined, clips it to
    // the same rectangle again.
    void restoreWindow(NativeWindow window) override { restore(window); }
    // The same, telling why the pointer could not be clipped again.
    Result restore(NativeWindow window);
    void watchWindow(NativeWindow window, std::function<void()> disturbed) override;
    void makeTranslucent(NativeWindow window, int alpha) override;
    Result blockTaskManager(NativeWindow window) override;
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
    static void CALLBACK windowEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                     DWORD thread, DWORD time);
    static LRESULT CALLBACK reportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool disturbs(DWORD event, HWND window) const;
    void stopWatching();

    HHOOK hook_ = nullptr;
    bool confined_ = false;
    RECT clip_{};  // where confinePointer keeps the pointer
    HANDLE taskManager_ = INVALID_HANDLE_VALUE;
    int keysSeen_ = 0;
    int keysSwallowed_ = 0;
    HWND watched_ = nullptr;
    std::function<void()> disturbed_;
    HWINEVENTHOOK eventHooks_[2] = {};
    HWND reporter_ = nullptr;  // a message-only window that makes the reports
    bool reportPending_ = false;
};
