#pragma once

#include "core/services/MessageBoxes.h"

#include <windows.h>

// Message boxes of the system (MessageBoxW, so that every character of the
// UTF-8 texts arrives), owned by the active window of the calling thread.
// With an owner, the box keeps that window from input; without one, it
// keeps every window of the thread from input (MB_TASKMODAL). Either way it
// comes to the foreground: the program often asks from the tray, while
// another program has the focus.
class WinMessageBoxes final : public MessageBoxes {
public:
    bool show(const Box& box) override;

    // The MessageBoxW style for a box and whether it has an owner.
    static UINT styleOf(const Box& box, bool owned);
};
