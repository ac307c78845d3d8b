#include "WinBusyPointer.h"

void WinBusyPointer::setBusy(bool busy)
{
    if (busy) {
        if (depth_++ == 0)
            before_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return;
    }
    if (depth_ == 0)
        return;
    if (--depth_ == 0) {
        SetCursor(before_ ? before_ : LoadCursorW(nullptr, IDC_ARROW));
        before_ = nullptr;
    }
}
