#pragma once

#include "platform/LockGuard.h"

#include <QPointer>
#include <QWidget>

// The lock's hold on an X11 display, through the program's own connection:
// - the pointer: an active pointer grab for the lock window, confined to an
//   input-only child window of the rectangle's size, so that the server
//   keeps the pointer there, moves and absolute warps alike;
// - the keyboard: an active keyboard grab for the lock window, which also
//   keeps the window manager's and other programs' shortcuts from firing;
// - on top: the EWMH states "above" and, on a single screen, "fullscreen";
// - translucency: _NET_WM_WINDOW_OPACITY, which a compositor honours (without
//   one the window stays opaque).
// A grab another program holds is tried again for about a second.
class X11LockGuard final : public LockGuard {
public:
    X11LockGuard();
    ~X11LockGuard() override;

    Result confinePointer(QWidget* window, const PixelRect& rect) override;
    void freePointer(QWidget* window) override;
    Result holdKeyboard(QWidget* window) override;
    void releaseKeyboard(QWidget* window) override;
    void keepOnTop(QWidget* window) override;
    void makeTranslucent(QWidget* window, int alpha) override;
    Result blockTaskManager(QWidget* window) override;

private:
    void forgetConfinement();

    QPointer<QWidget> confinedWindow_;  // the parent of confinement_
    unsigned long confinement_ = 0;     // the input-only child, or 0
    QPointer<QWidget> pointerHolder_;   // the window that has the pointer grab
    QPointer<QWidget> keyboardHolder_;  // the window that has the keyboard grab
};
