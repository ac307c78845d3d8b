#include "Dragging.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

struct Strip {
    HWND window;
    DragHandle* drag;
};

LRESULT CALLBACK stripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<Strip*>(data);
    const float x = float(GET_X_LPARAM(lParam));
    const float y = float(GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        self->drag->press(buttonOf(message), x, y);
        if (message == WM_LBUTTONDOWN)
            SetCapture(strip);
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == strip)
            ReleaseCapture();
        break;
    case WM_MOUSEMOVE: {
        RECT r{};
        GetWindowRect(self->window, &r);
        if (const auto to = self->drag->move(heldButtons(wParam), x, y, Point{double(r.left), double(r.top)}))
            SetWindowPos(self->window, nullptr, int(to->x), int(to->y), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(strip, stripProc, 0);
        delete self;
        return DefSubclassProc(strip, message, wParam, lParam);
    default:
        break;
    }
    return DefSubclassProc(strip, message, wParam, lParam);
}

}  // namespace

void dragWindowBy(HWND strip, HWND window, DragHandle& drag)
{
    SetWindowSubclass(strip, stripProc, 0, reinterpret_cast<DWORD_PTR>(new Strip{window, &drag}));
}

int buttonOf(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return 1;
    case WM_RBUTTONDOWN: return 2;
    case WM_MBUTTONDOWN: return 4;
    default: return 0;
    }
}

int heldButtons(WPARAM keys)
{
    return (keys & MK_LBUTTON ? 1 : 0) | (keys & MK_RBUTTON ? 2 : 0) | (keys & MK_MBUTTON ? 4 : 0);
}
