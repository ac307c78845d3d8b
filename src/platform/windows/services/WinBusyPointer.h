#pragma once

#include "core/services/RemoteAccess.h"

#include <windows.h>

// The wait cursor while the program is busy. Calls nest: the pointer is busy
// from the first setBusy(true) until as many setBusy(false), and then shows
// the cursor it had before. An unmatched setBusy(false) does nothing. The
// cursor is the calling thread's (SetCursor); a window that sets its own
// cursor when the pointer moves over it (WM_SETCURSOR) would take it back,
// so the windows keep the cursor as it is while busy() holds.
class WinBusyPointer final : public BusyPointer {
public:
    void setBusy(bool busy) override;

    bool busy() const { return depth_ > 0; }

private:
    int depth_ = 0;
    HCURSOR before_ = nullptr;
};
