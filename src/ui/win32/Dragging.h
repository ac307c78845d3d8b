#pragma once

#include "core/window/DragHandle.h"

#include <windows.h>

// A press and a move of the mouse on the strip drag the window, as the drag
// handle (which keeps where the press was) says. The strip keeps this for
// its life; drag must outlive it.
void dragWindowBy(HWND strip, HWND window, DragHandle& drag);

// The buttons of a mouse message: 1 left, 2 right, 4 middle.
int buttonOf(UINT message);
int heldButtons(WPARAM keys);
