#pragma once

#include "core/Result.h"
#include "core/lock/LockRules.h"

#include <cstdint>
#include <functional>

// A window as the window system knows it: an X window id on X11, an HWND
// on Windows.
using NativeWindow = std::uintptr_t;

// What the window system does to make the lock window hold: the pointer kept
// inside a rectangle, the keyboard kept by the window, the window kept above
// the others and seen through. Each operation is given the lock window.
class LockGuard {
public:
    virtual ~LockGuard() = default;
    // Keeps the pointer inside rect (screen pixels, right and bottom outside);
    // a failure says why.
    virtual Result confinePointer(NativeWindow window, const PixelRect& rect) = 0;
    virtual void freePointer(NativeWindow window) = 0;
    // Sends every key to the window, whatever has the focus; a failure says why.
    virtual Result holdKeyboard(NativeWindow window) = 0;
    virtual void releaseKeyboard(NativeWindow window) = 0;
    virtual void keepOnTop(NativeWindow window) = 0;
    // Shows the window again where another program has hidden it and raises
    // it above every other window, those that bypass the window manager too.
    virtual void restoreWindow(NativeWindow window) = 0;
    // From now on calls disturbed whenever another program hides the window
    // or covers part of it; an empty function ends the watch. The call comes
    // from the event loop, never from inside another guard operation.
    virtual void watchWindow(NativeWindow window, std::function<void()> disturbed) = 0;
    // alpha 0 (invisible) to 255 (opaque).
    virtual void makeTranslucent(NativeWindow window, int alpha) = 0;
    // Keeps the task manager from starting; says why where it cannot.
    virtual Result blockTaskManager(NativeWindow window) = 0;
};
