#include "LockWindow.h"

#include "Pictures.h"
#include "core/lock/LockScreenForm.h"
#include "core/window/Twips.h"
#include "platform/LockGuard.h"
#include "platform/Platform.h"
#include "platform/windows/WideText.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTakeKeyboardBack = WM_APP + 1;
constexpr int kFirstControl = 100;

RECT toRect(const PixelRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

LockWindow::LockWindow(Platform& platform)
    : platform_(platform)
    , guard_(platform.lockGuard)
    , bannerColour_(*lock_screen_form::kForm.find(lock_screen_form::kBanner)->textColour)
    , presenter_(*this, platform.services, [this] { return std::uniform_real_distribution<double>(0, 1)(random_); })
{
    using namespace lock_screen_form;
    // Over every screen: the whole virtual desktop.
    origin_ = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    scale_ = Scale::ofTwipsPerPixel(platform.screen.twipsPerPixelX());
    // Not a tool window: the window manager Wine runs under focuses a
    // new tool window only when asked, and the keys must reach the lock.
    createPopup(kForm, WS_EX_TOPMOST | WS_EX_LAYERED, {origin_.x, origin_.y, width, height});
    controls_.build(kForm, hwnd(), scale_, kFirstControl);

    const RECT screen = mainScreenInWindow();
    const Layout places = layout({screen.left, screen.top, screen.right, screen.bottom},
                                 Twips(platform.screen.twipsPerPixelX()));
    const auto place = [&](std::string_view id, const RECT& r) {
        SetWindowPos(controls_[id], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    RECT banner{};
    GetWindowRect(controls_[kBanner], &banner);
    const int bannerWidth = banner.right - banner.left;
    const PixelRect area{screen.left, screen.top, screen.right, screen.bottom};
    place(kBanner, {centredLeft(area, bannerWidth), places.bannerTop, centredLeft(area, bannerWidth) + bannerWidth,
                    places.bannerTop + banner.bottom - banner.top});
    place(kEntry, toRect(places.entry));
    messageTop_ = places.messageTop;
    for (std::string_view picture : {kRestPicture, kHighlightedPicture}) {
        place(picture, toRect(places.picture));
        SetWindowSubclass(controls_[picture], childProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    ShowWindow(controls_[kHighlightedPicture], SW_HIDE);
    for (bool highlighted : {false, true})
        pictures_[highlighted] = pictures::unlockButton(highlighted, {kPictureWidth, kPictureHeight});
    for (std::string_view child : {kEntry, kBanner, kMessage})
        SetWindowSubclass(controls_[child], childProc, 0, reinterpret_cast<DWORD_PTR>(this));
    ShowWindow(hwnd(), SW_SHOW);
}

LockWindow::~LockWindow()
{
    for (HBITMAP picture : pictures_)
        if (picture)
            DeleteObject(picture);
}

NativeWindow LockWindow::native() const { return NativeWindow(hwnd()); }

// The main screen's rectangle in the window's pixels.
RECT LockWindow::mainScreenInWindow() const
{
    const PixelRect screen = platform_.screen.geometry();
    return {screen.left - origin_.x, screen.top - origin_.y, screen.right - origin_.x, screen.bottom - origin_.y};
}

// The rectangle is measured on the main screen; the pointer is clipped on
// the whole desktop.
Result LockWindow::confinePointer(const PixelRect& rect)
{
    const PixelRect screen = platform_.screen.geometry();
    return guard_.confinePointer(native(), PixelRect{rect.left + screen.left, rect.top + screen.top,
                                                     rect.right + screen.left, rect.bottom + screen.top});
}

void LockWindow::freePointer() { guard_.freePointer(native()); }
Result LockWindow::holdKeyboard() { return guard_.holdKeyboard(native()); }
void LockWindow::releaseKeyboard() { guard_.releaseKeyboard(native()); }
void LockWindow::keepOnTop() { guard_.keepOnTop(native()); }
void LockWindow::restoreWindow() { guard_.restoreWindow(native()); }
void LockWindow::makeTranslucent(int alpha) { guard_.makeTranslucent(native(), alpha); }
Result LockWindow::blockTaskManager() { return guard_.blockTaskManager(native()); }

double LockWindow::screenWidthTwips() const { return platform_.screen.geometry().width() * twipsPerPixelX(); }
double LockWindow::screenHeightTwips() const { return platform_.screen.geometry().height() * twipsPerPixelY(); }
double LockWindow::twipsPerPixelX() const { return platform_.screen.twipsPerPixelX(); }
double LockWindow::twipsPerPixelY() const { return platform_.screen.twipsPerPixelY(); }

std::string LockWindow::typedPassword() const { return controls_.text(lock_screen_form::kEntry); }

void LockWindow::showUnlockHighlighted(bool highlighted)
{
    using namespace lock_screen_form;
    if (highlighted == highlighted_)
        return;
    highlighted_ = highlighted;
    ShowWindow(controls_[kHighlightedPicture], highlighted ? SW_SHOW : SW_HIDE);
    ShowWindow(controls_[kRestPicture], highlighted ? SW_HIDE : SW_SHOW);
}

// The picture itself stays enabled: a disabled one would hand the pointer's
// moves to the background, which swaps the pictures back at every move.
void LockWindow::setUnlockEnabled(bool enabled) { unlockEnabled_ = enabled; }

// The message takes its text's width, centred on the main screen.
void LockWindow::setMessage(const std::string& text)
{
    using namespace lock_screen_form;
    HWND message = controls_[kMessage];
    controls_.setText(kMessage, text);
    controls_.fitToText(kMessage, scale_);
    RECT r{};
    GetWindowRect(message, &r);
    const RECT screen = mainScreenInWindow();
    const int width = r.right - r.left;
    SetWindowPos(message, nullptr, screen.left + (screen.right - screen.left - width) / 2, messageTop_, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void LockWindow::setBannerColour(std::uint32_t rgb)
{
    bannerColour_ = rgb;
    InvalidateRect(controls_[lock_screen_form::kBanner], nullptr, FALSE);
}

void LockWindow::focusEntry()
{
    SetForegroundWindow(hwnd());
    SetFocus(controls_[lock_screen_form::kEntry]);
}

// While the tick runs, a hide or a cover by another program is answered at
// once too, not only at the next tick.
void LockWindow::setTickRunning(bool running)
{
    ticking_ = running;
    if (running) {
        SetTimer(hwnd(), kTickTimer, 300, nullptr);
        guard_.watchWindow(native(), [this] { presenter_.windowDisturbed(); });
    } else {
        KillTimer(hwnd(), kTickTimer);
        guard_.watchWindow(native(), nullptr);
    }
}

// The password goes with the window: the box is emptied before it hides.
void LockWindow::close()
{
    setTickRunning(false);
    controls_.setText(lock_screen_form::kEntry, "");
    ShowWindow(hwnd(), SW_HIDE);
    if (onClosed)
        onClosed();
}

// The password box takes typed keys only: no paste (Ctrl+V and Shift+Insert
// both come as WM_PASTE), no menu, no middle button, nothing an input method
// composes. The pictures tell the pointer's moves and the click on the
// highlighted one.
LRESULT CALLBACK LockWindow::childProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self)
{
    using namespace lock_screen_form;
    auto* lock = reinterpret_cast<LockWindow*>(self);
    if (child == lock->controls_[kEntry]) {
        switch (message) {
        case WM_PASTE:
        case WM_CONTEXTMENU:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_IME_COMPOSITION:
        case WM_IME_CHAR: return 0;
        default: break;
        }
        return DefSubclassProc(child, message, wParam, lParam);
    }
    // The pointer over the captions is over the background.
    if (message == WM_NCHITTEST && (child == lock->controls_[kBanner] || child == lock->controls_[kMessage]))
        return HTTRANSPARENT;
    if (message == WM_MOUSEMOVE && child == lock->controls_[kRestPicture])
        lock->presenter_.pointerOverUnlock();
    if (message == WM_LBUTTONUP && child == lock->controls_[kHighlightedPicture] && lock->unlockEnabled_) {
        lock->presenter_.unlockClicked();
        return 0;
    }
    return DefSubclassProc(child, message, wParam, lParam);
}

LRESULT LockWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace lock_screen_form;
    switch (message) {
    case WM_TIMER:
        if (wParam == kTickTimer) {
            tookBackSinceTick_ = false;
            presenter_.tick();
        }
        return 0;
    // A window manager that switches windows by its own keys can give another
    // window the keyboard, and the keys typed next would go there unseen: the
    // lock takes it back at once, not only at the next tick. Once per tick at
    // most, so that a program doing the same cannot start a tug of war.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && ticking_ && !tookBackSinceTick_) {
            tookBackSinceTick_ = true;
            PostMessageW(hwnd(), kTakeKeyboardBack, 0, 0);  // once this activation has finished
        }
        break;
    case kTakeKeyboardBack:
        presenter_.windowDisturbed();
        return 0;
    case WM_MOUSEMOVE:
        presenter_.pointerOverBackground();
        return 0;
    case WM_CTLCOLORSTATIC: {
        // The banner and the message stand on the window's own colour.
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control == controls_[kBanner] || control == controls_[kMessage]) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, colourRef(control == controls_[kBanner] ? bannerColour_ : kDarkRed));
            SetBkColor(dc, colourRef(*kForm.backColour));
            return LRESULT(backBrush());
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        paintFill(item.hDC, item.rcItem, *kForm.backColour);
        if (HBITMAP picture = pictures_[item.hwndItem == controls_[kHighlightedPicture]]) {
            HDC source = CreateCompatibleDC(item.hDC);
            HGDIOBJ old = SelectObject(source, picture);
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(item.hDC, 0, 0, kPictureWidth, kPictureHeight, source, 0, 0, kPictureWidth, kPictureHeight,
                       blend);
            SelectObject(source, old);
            DeleteDC(source);
        }
        return TRUE;
    }
    case WM_CLOSE:
        return 0;  // only the unlock closes the lock
    case WM_DPICHANGED:
        return 0;  // it covers every monitor as it is
    default:
        break;
    }
    return FormWindow::handle(message, wParam, lParam);
}
