#pragma once

#include "platform/LockGuard.h"

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

#include <memory>

// The lock's hold on an X11 display, through the program's own connection:
// - the pointer: an active pointer grab for the lock window, confined to an
//   input-only child window of the rectangle's size, so that the server
//   keeps the pointer there, moves and absolute warps alike;
// - the keyboard: an active keyboard grab for the lock window, which also
//   keeps the window manager's and other programs' shortcuts from firing;
// - on top: the window is override-redirect (the window manager neither
//   iconifies nor stacks it) and raised above every other top-level window;
//   restoreWindow maps it again if another client unmapped it, which also
//   cost it both grabs;
// - the watch: an UnmapNotify or a VisibilityNotify other than "unobscured"
//   for the window, seen in the program's own events;
// - translucency: _NET_WM_WINDOW_OPACITY, which a compositor honours (without
//   one the window stays opaque).
// The first grab of a window, when another program holds it, is tried again
// for about a second; once held, a grab lost meanwhile is asked for once a
// call, so that a tick never waits.
class X11LockGuard final : public LockGuard {
public:
    X11LockGuard();
    ~X11LockGuard() override;

    Result confinePointer(NativeWindow window, const PixelRect& rect) override;
    void freePointer(NativeWindow window) override;
    Result holdKeyboard(NativeWindow window) override;
    void releaseKeyboard(NativeWindow window) override;
    void keepOnTop(NativeWindow window) override;
    void restoreWindow(NativeWindow window) override;
    void watchWindow(NativeWindow window, std::function<void()> disturbed) override;
    void makeTranslucent(NativeWindow window, int alpha) override;
    Result blockTaskManager(NativeWindow window) override;

private:
    class Watch;

    void forgetConfinement();
    void reportDisturbance();
    void selectVisibility();

    QPointer<QWidget> confinedWindow_;  // the parent of confinement_
    unsigned long confinement_ = 0;     // the input-only child, or 0
    // The windows the grabs are for, from the first grab until they are let go.
    QPointer<QWidget> pointerHolder_;
    QPointer<QWidget> keyboardHolder_;
    QPointer<QWidget> watched_;
    unsigned long watchedId_ = 0;
    std::function<void()> disturbed_;
    bool disturbancePending_ = false;  // one report queued for the event loop
    std::unique_ptr<Watch> watch_;     // the native event filter, while installed
};
