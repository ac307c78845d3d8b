#include "LinuxDesktop.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <vector>

namespace {

std::vector<Window> clientList(Display* display)
{
    const Atom property = XInternAtom(display, "_NET_CLIENT_LIST", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<Window> windows;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 65536, False, XA_WINDOW,
                           &type, &format, &count, &remaining, &data) == Success
        && data && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        windows.assign(ids, ids + count);
    }
    if (data)
        XFree(data);
    return windows;
}

bool isDesktopWindow(Display* display, Window window)
{
    const Atom property = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom desktopType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, property, 0, 64, False, XA_ATOM, &type, &format, &count,
                           &remaining, &data) == Success
        && data && format == 32) {
        const auto* atoms = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = atoms[i] == desktopType;
    }
    if (data)
        XFree(data);
    return found;
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

PlatformResult LinuxDesktop::refresh()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return PlatformResult::failure(QStringLiteral("no X11 display"));
    for (Window window : clientList(display)) {
        if (!isDesktopWindow(display, window))
            continue;
        const unsigned int keycode = XKeysymToKeycode(display, XK_F5);
        sendKey(display, window, KeyPress, keycode);
        sendKey(display, window, KeyRelease, keycode);
        XFlush(display);
        return PlatformResult::success();
    }
    return PlatformResult::failure(QStringLiteral("no desktop window"));
}
