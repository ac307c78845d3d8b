#include "LinuxDesktop.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <vector>

namespace {

// The values of a 32-bit window property (window ids or atoms).
std::vector<unsigned long> property32(Display* display, Window window, const char* name, Atom type)
{
    const Atom property = XInternAtom(display, name, False);
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, property, 0, 65536, False, type, &actualType, &format, &count,
                           &remaining, &data) == Success
        && data && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values.assign(items, items + count);
    }
    if (data)
        XFree(data);
    return values;
}

bool isDesktopWindow(Display* display, Window window)
{
    const Atom desktopType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    for (unsigned long type : property32(display, window, "_NET_WM_WINDOW_TYPE", XA_ATOM))
        if (type == desktopType)
            return true;
    return false;
}

void sendKey(Display* display, Window window, int eventType, unsigned int keycode)
{
    XKeyEvent key{};
    key.type = eventType;
    key.display = display;
    key.window = window;
    key.root = DefaultRootWindow(display);
    key.subwindow = None;
    key.time = CurrentTime;
    key.same_screen = True;
    key.keycode = keycode;
    const long mask = eventType == KeyPress ? KeyPressMask : KeyReleaseMask;
    XSendEvent(display, window, True, mask, reinterpret_cast<XEvent*>(&key));
}

}  // namespace

Result LinuxDesktop::refresh()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return Result::failure("no X11 display");
    for (Window window : property32(display, DefaultRootWindow(display), "_NET_CLIENT_LIST", XA_WINDOW)) {
        if (!isDesktopWindow(display, window))
            continue;
        const unsigned int keycode = XKeysymToKeycode(display, XK_F5);
        sendKey(display, window, KeyPress, keycode);
        sendKey(display, window, KeyRelease, keycode);
        XFlush(display);
        return Result::success();
    }
    return Result::failure("no desktop window");
}
