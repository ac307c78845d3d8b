#include "X11LockGuard.h"

#include <QGuiApplication>
#include <QMetaObject>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xproto.h>

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

}  // namespace

// Looks at every event of the program's connection before Qt does, and lets
// all of them through.
class X11LockGuard::Watch final : public QAbstractNativeEventFilter {
public:
    explicit Watch(X11LockGuard& guard) : guard_(guard) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t" || !guard_.watchedId_)
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_UNMAP_NOTIFY:
            if (reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window == guard_.watchedId_)
                guard_.reportDisturbance();
            break;
        case XCB_VISIBILITY_NOTIFY: {
            const auto* visibility = reinterpret_cast<const xcb_visibility_notify_event_t*>(event);
            if (visibility->window == guard_.watchedId_ && visibility->state != XCB_VISIBILITY_UNOBSCURED)
                guard_.reportDisturbance();
            break;
        }
        default: break;
        }
        return false;
    }

private:
    X11LockGuard& guard_;
};

X11LockGuard::X11LockGuard() = default;

X11LockGuard::~X11LockGuard()
{
    if (watch_ && qGuiApp)
        qGuiApp->removeNativeEventFilter(watch_.get());
}

void X11LockGuard::forgetConfinement()
{
    confinement_ = 0;
    confinedWindow_.clear();
}

Result X11LockGuard::confinePointer(NativeWindow id, const PixelRect& rect)
{
    QWidget* window = QWidget::find(WId(id));
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

    // Once held for this window, a lost grab (the window was unmapped, say)
    // is asked for once: the caller asks again at its next tick.
    const bool held = pointerHolder_ == window && !pointerHolder_.isNull();
    const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    const int status = grabWithRetries(display, !held, [&] {
        return XGrabPointer(display, lockWindow, True, mask, GrabModeAsync, GrabModeAsync, confinement_, None,
                            CurrentTime);
    });
    if (status != GrabSuccess)
        return Result::failure(grabFailure(status, "鼠标"));
    pointerHolder_ = window;
    return Result::success();
}

void X11LockGuard::freePointer(NativeWindow)
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

Result X11LockGuard::holdKeyboard(NativeWindow id)
{
    QWidget* window = QWidget::find(WId(id));
    Display* display = x11Display();
    if (!display || !window)
        return Result::failure(kNoDisplay);
    IgnoredXErrors ignored(display);
    const Window lockWindow = Window(window->winId());
    const bool held = keyboardHolder_ == window && !keyboardHolder_.isNull();
    const int status = grabWithRetries(display, !held, [&] {
        return XGrabKeyboard(display, lockWindow, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    });
    if (status != GrabSuccess)
        return Result::failure(grabFailure(status, "键盘"));
    keyboardHolder_ = window;
    return Result::success();
}

void X11LockGuard::releaseKeyboard(NativeWindow)
{
    Display* display = x11Display();
    if (!display)
        return;
    IgnoredXErrors ignored(display);
    XUngrabKeyboard(display, CurrentTime);
    keyboardHolder_.clear();
}

// The window manager does not stack an override-redirect window, so the
// window itself goes to the top of the root window's children, above the
// window manager's frames, its panels and the other override-redirect windows
// alike. A window mapped later goes above it until the next raise.
void X11LockGuard::keepOnTop(NativeWindow id)
{
    QWidget* window = QWidget::find(WId(id));
    Display* display = x11Display();
    if (!display || !window)
        return;
    IgnoredXErrors ignored(display);
    XRaiseWindow(display, Window(window->winId()));
}

// A map request of an override-redirect window goes to the server straight,
// not to the window manager, so the window is viewable again once the
// requests are through (IgnoredXErrors waits for them), and a grab can be
// taken for it. A window that is mapped already is only raised.
void X11LockGuard::restoreWindow(NativeWindow id)
{
    QWidget* window = QWidget::find(WId(id));
    Display* display = x11Display();
    if (!display || !window)
        return;
    IgnoredXErrors ignored(display);
    XMapRaised(display, Window(window->winId()));
    if (window == watched_)
        selectVisibility();
}

void X11LockGuard::watchWindow(NativeWindow id, std::function<void()> disturbed)
{
    QWidget* window = QWidget::find(WId(id));
    watched_ = disturbed && window ? window : nullptr;
    watchedId_ = watched_ ? (unsigned long)(window->winId()) : 0;
    disturbed_ = watched_ ? std::move(disturbed) : nullptr;
    disturbancePending_ = false;  // a report queued for a window since gone never came
    Display* display = x11Display();
    if (!display || !watched_)
        return;
    if (!watch_) {
        watch_ = std::make_unique<Watch>(*this);
        qGuiApp->installNativeEventFilter(watch_.get());
    }
    IgnoredXErrors ignored(display);
    selectVisibility();
}

// VisibilityNotify comes only to a client that asks for it, and Qt may set
// the window's event mask anew, so the bit is added to the mask the
// program's connection has, each time the window is restored. Under a
// compositor the server may report the window unobscured all the same; the
// raise at every tick covers that.
void X11LockGuard::selectVisibility()
{
    Display* display = x11Display();
    XWindowAttributes attributes{};
    if (!display || !watchedId_ || !XGetWindowAttributes(display, Window(watchedId_), &attributes))
        return;
    if (!(attributes.your_event_mask & VisibilityChangeMask))
        XSelectInput(display, Window(watchedId_), attributes.your_event_mask | VisibilityChangeMask);
}

// The report goes through the event loop: the owner then talks to the
// server again, which it should not do from inside the event filter.
// Several events in a row give one report.
void X11LockGuard::reportDisturbance()
{
    if (disturbancePending_ || watched_.isNull())
        return;
    disturbancePending_ = true;
    QMetaObject::invokeMethod(
        watched_.data(),
        [this] {
            disturbancePending_ = false;
            if (disturbed_ && !watched_.isNull())
                disturbed_();
        },
        Qt::QueuedConnection);
}

void X11LockGuard::makeTranslucent(NativeWindow id, int alpha)
{
    QWidget* window = QWidget::find(WId(id));
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
Result X11LockGuard::blockTaskManager(NativeWindow)
{
    return Result::failure("Linux 没有可以占住的任务管理器文件；键盘和鼠标被锁住，这个显示上也启动不了别的程序");
}
