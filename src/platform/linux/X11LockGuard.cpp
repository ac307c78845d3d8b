#include "X11LockGuard.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {

// A grab another program holds is asked for again every 50 ms, about a
// second in all, before the lock gives up.
constexpr int kGrabAttempts = 20;
constexpr auto kGrabRetry = std::chrono::milliseconds(50);

Display* x11Display()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

const char* const kNoDisplay = "这里不是 X11 桌面，鼠标和键盘锁不住";

// While one lives, errors of the program's own X requests (a window that has
// just gone, say) are dropped rather than ending the program; the requests
// are waited for before the usual handler comes back.
class IgnoredXErrors {
public:
    explicit IgnoredXErrors(Display* display) : display_(display), previous_(XSetErrorHandler(ignore)) {}
    ~IgnoredXErrors()
    {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    IgnoredXErrors(const IgnoredXErrors&) = delete;
    IgnoredXErrors& operator=(const IgnoredXErrors&) = delete;

private:
    static int ignore(Display*, XErrorEvent*) { return 0; }
    Display* display_;
    XErrorHandler previous_;
};

std::string grabFailure(int status, const char* device)
{
    switch (status) {
    case AlreadyGrabbed: return std::string("另一个程序占用了") + device;
    case GrabNotViewable: return "锁屏窗口没有显示出来";
    case GrabFrozen: return std::string("另一个程序冻结了") + device;
    default: return std::string("X 服务器拒绝交出") + device;
    }
}

// Runs grab until it succeeds, trying again for about a second when asked to.
template <typename Grab>
int grabWithRetries(Display* display, bool retry, Grab grab)
{
    int status = GrabSuccess;
    for (int attempt = 0; attempt < (retry ? kGrabAttempts : 1); ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(kGrabRetry);
        status = grab();
        XSync(display, False);
        if (status == GrabSuccess)
            break;
    }
    return status;
}

void sendWindowState(Display* display, Window window, const char* first, const char* second)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // add
    event.xclient.data.l[1] = long(XInternAtom(display, first, False));
    event.xclient.data.l[2] = second ? long(XInternAtom(display, second, False)) : 0;
    event.xclient.data.l[3] = 1;  // asked by an application
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
}

}  // namespace

X11LockGuard::X11LockGuard() = default;
X11LockGuard::~X11LockGuard() = default;

void X11LockGuard::forgetConfinement()
{
    confinement_ = 0;
    confinedWindow_.clear();
}

Result X11LockGuard::confinePointer(QWidget* window, const PixelRect& rect)
{
    Display* display = x11Display();
    if (!display || !window)
        return Result::failure(kNoDisplay);
    IgnoredXErrors ignored(display);
    const Window lockWindow = Window(window->winId());

    // The input-only child that the pointer is kept in, placed again each
    // time, as the window manager may have moved the lock window meanwhile.
    // A child of the lock window, the pointer's events over it still reach
    // the lock window.
    if (confinedWindow_ != window || confinedWindow_.isNull())
        forgetConfinement();
    int x = rect.left;
    int y = rect.top;
    Window child = 0;
    XTranslateCoordinates(display, DefaultRootWindow(display), lockWindow, rect.left, rect.top, &x, &y, &child);
    const unsigned width = unsigned(rect.right > rect.left ? rect.right - rect.left : 1);
    const unsigned height = unsigned(rect.bottom > rect.top ? rect.bottom - rect.top : 1);
    if (!confinement_) {
        XSetWindowAttributes attributes{};
        confinement_ = XCreateWindow(display, lockWindow, x, y, width, height, 0, CopyFromParent, InputOnly,
                                     CopyFromParent, 0, &attributes);
        confinedWindow_ = window;
        XMapWindow(display, confinement_);
    } else {
        XMoveResizeWindow(display, confinement_, x, y, width, height);
    }

    const bool held = pointerHolder_ == window && !pointerHolder_.isNull();
    const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    const int status = grabWithRetries(display, !held, [&] {
        return XGrabPointer(display, lockWindow, True, mask, GrabModeAsync, GrabModeAsync, confinement_, None,
                            CurrentTime);
    });
    if (status != GrabSuccess) {
        pointerHolder_.clear();
        return Result::failure(grabFailure(status, "鼠标"));
    }
    pointerHolder_ = window;
    return Result::success();
}

void X11LockGuard::freePointer(QWidget*)
{
    Display* display = x11Display();
    if (!display)
        return;
    IgnoredXErrors ignored(display);
    XUngrabPointer(display, CurrentTime);
    // The child went with its parent if the lock window is gone already.
    if (confinement_ && !confinedWindow_.isNull())
        XDestroyWindow(display, confinement_);
    forgetConfinement();
    pointerHolder_.clear();
}

Result X11LockGuard::holdKeyboard(QWidget* window)
{
    Display* display = x11Display();
    if (!display || !window)
        return Result::failure(kNoDisplay);
    IgnoredXErrors ignored(display);
    const Window lockWindow = Window(window->winId());
    const bool held = keyboardHolder_ == window && !keyboardHolder_.isNull();
    const int status = grabWithRetries(display, !held, [&] {
        return XGrabKeyboard(display, lockWindow, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    });
    if (status != GrabSuccess) {
        keyboardHolder_.clear();
        return Result::failure(grabFailure(status, "键盘"));
    }
    keyboardHolder_ = window;
    return Result::success();
}

void X11LockGuard::releaseKeyboard(QWidget*)
{
    Display* display = x11Display();
    if (!display)
        return;
    IgnoredXErrors ignored(display);
    XUngrabKeyboard(display, CurrentTime);
    keyboardHolder_.clear();
}

// Above every ordinary window; on a single screen also full-screen, which
// window managers stack above their panels. On several screens the window
// keeps the size of the whole desktop that it was given.
void X11LockGuard::keepOnTop(QWidget* window)
{
    Display* display = x11Display();
    if (!display || !window)
        return;
    IgnoredXErrors ignored(display);
    const Window lockWindow = Window(window->winId());
    const bool oneScreen = QGuiApplication::screens().size() <= 1;
    sendWindowState(display, lockWindow, "_NET_WM_STATE_ABOVE", oneScreen ? "_NET_WM_STATE_FULLSCREEN" : nullptr);
    XRaiseWindow(display, lockWindow);
}

void X11LockGuard::makeTranslucent(QWidget* window, int alpha)
{
    Display* display = x11Display();
    if (!display || !window)
        return;
    IgnoredXErrors ignored(display);
    const int clamped = alpha < 0 ? 0 : alpha > 255 ? 255 : alpha;
    const unsigned long opacity = (unsigned long)(double(clamped) / 255.0 * 0xffffffffUL);
    XChangeProperty(display, Window(window->winId()), XInternAtom(display, "_NET_WM_WINDOW_OPACITY", False),
                    XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&opacity), 1);
}

// Linux has no task-manager program file to hold open. The keyboard and
// pointer grabs already keep a user at this display from starting anything.
Result X11LockGuard::blockTaskManager(QWidget*)
{
    return Result::failure("Linux 没有可以占住的任务管理器文件；键盘和鼠标被锁住，这个显示上也启动不了别的程序");
}
