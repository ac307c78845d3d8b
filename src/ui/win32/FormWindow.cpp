#include "FormWindow.h"

#include "platform/windows/WideText.h"

FormWindow::~FormWindow()
{
    if (backBrush_)
        DeleteObject(backBrush_);
}

namespace {

// The DPI of the monitor the window is on, where Windows tells it per
// monitor (Windows 10 1607 and later); else none.
int windowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return getDpi ? int(getDpi(window)) : 0;
}

}  // namespace

bool FormWindow::createTopLevel(const FormSpec& form, const Scale& scale, DWORD exStyle)
{
    scale_ = scale;
    backColour_ = form.backColour;
    const auto placeCentred = [&](bool apply) {
        const int width = scale_.px(form.widthTwips);
        const int height = scale_.px(form.heightTwips);
        // Centred on the main screen, taskbar and all, as the screen's
        // geometry is everywhere else.
        const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        if (apply)
            SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        return RECT{x, y, width, height};
    };
    const RECT place = placeCentred(false);
    if (!create(exStyle, WS_POPUP | WS_CLIPCHILDREN, wintext::toWide(form.caption).c_str(), place.left, place.top,
                place.right, place.bottom))
        return false;
    // On a monitor whose DPI is not the system's, the window is made again
    // at that monitor's size before any control is built.
    const int dpi = windowDpi(hwnd());
    if (dpi > 0 && dpi != scale_.dpi) {
        scale_ = Scale{dpi};
        placeCentred(true);
    }
    return true;
}

bool FormWindow::createPopup(const FormSpec& form, DWORD exStyle, const RECT& place)
{
    backColour_ = form.backColour;
    return create(exStyle, WS_POPUP | WS_CLIPCHILDREN, wintext::toWide(form.caption).c_str(), place.left, place.top,
                  place.right, place.bottom);
}

HBRUSH FormWindow::backBrush()
{
    if (!backBrush_)
        backBrush_ = CreateSolidBrush(colourRef(backColour_.value_or(0xFFFFFF)));
    return backBrush_;
}

bool FormWindow::createChild(HWND parent, const RECT& place, std::optional<Rgb> backColour, std::optional<Rgb> edge)
{
    backColour_ = backColour;
    edge_ = edge;
    // Not WS_CLIPCHILDREN: a group box paints only its edge and caption, so
    // the window's own background must reach beneath it.
    return create(WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", place.left,
                  place.top, place.right - place.left, place.bottom - place.top, parent);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
        LRESULT brush = 0;
        if (controls_.colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), brush))
            return brush;
        if (backColour_ && message != WM_CTLCOLOREDIT && message != WM_CTLCOLORLISTBOX) {
            SetBkColor(reinterpret_cast<HDC>(wParam), colourRef(*backColour_));
            return LRESULT(backBrush());
        }
        break;
    }
    case WM_ERASEBKGND:
        if (backColour_) {
            RECT r{};
            GetClientRect(hwnd(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, backBrush());
            if (edge_)
                paintEdge(reinterpret_cast<HDC>(wParam), r, *edge_);
            return 1;
        }
        break;
    case WM_DPICHANGED: {
        // Moved to a monitor of another DPI: the rectangle Windows suggests,
        // and every control laid out again for it.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        rescale(Scale{LOWORD(wParam)});
        InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
    }
    case WM_COMMAND:
        if (lParam) {
            if (HIWORD(wParam) == BN_CLICKED)
                controls_.optionChosen(reinterpret_cast<HWND>(lParam));
            command(controls_.idOf(LOWORD(wParam)), HIWORD(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return Window::handle(message, wParam, lParam);
}
