#include "MainWindow.h"

#include "Dragging.h"
#include "Pictures.h"
#include "core/launcher/LauncherForm.h"
#include "core/status/StatusAreaForm.h"
#include "core/window/MainFrameForm.h"
#include "platform/Platform.h"
#include "platform/windows/WideText.h"

#include <cctype>

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kSlideTimer = 2;
constexpr int kFrameControls = 100;
constexpr int kListControls = 200;
constexpr int kStatusControls = 300;

}  // namespace

Viewport::Viewport(HWND parent, const RECT& place)
{
    createChild(parent, place, main_frame_form::kViewportColour, main_frame_form::kPaneEdge);
    // The sliding panels paint themselves; the viewport never paints under them.
    SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
}

MainWindow::MainWindow(Platform& platform, MainWindowState& state)
    : platform_(platform)
    , state_(state)
    , drag_(state.dragOffset)
    , launcher_(platform.services)
    , list_(*this, platform.services)
    , frame_(*this, platform.services, state.panelIndex)
    , status_(*this, platform.services)
    , presenter_(*this, platform.services, list_, frame_, status_)
{
    using namespace main_frame_form;
    createTopLevel(kForm, Scale::ofTwipsPerPixel(platform.screen.twipsPerPixelX()),
                   WS_EX_APPWINDOW | WS_EX_CONTROLPARENT);
    listControls_.build(launcher_form::kForm, hwnd(), scale_, kListControls);
    controls_.build(kForm, hwnd(), scale_, kFrameControls);
    // The title strip draws its own gradient, and the star stands on the
    // background picture.
    for (std::string_view drawn : {kTitleStrip, kStar})
        drawnByParent(controls_[drawn]);
    makeBackground();
    for (std::string_view handle : {kTitleStrip, kBackground, kStar})
        SetWindowSubclass(controls_[handle], handleProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(listControls_[launcher_form::kList], handleProc, 0, reinterpret_cast<DWORD_PTR>(this));

    // The viewport takes the place of its description; the status lines sit
    // in it beneath the panels.
    HWND viewportControl = controls_[kViewport];
    RECT place{};
    GetWindowRect(viewportControl, &place);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
    DestroyWindow(viewportControl);
    viewport_ = std::make_unique<Viewport>(hwnd(), place);
    SetWindowPos(viewport_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    viewport_->lines().build(status_area_form::kForm, viewport_->hwnd(), scale_, kStatusControls);

    // The list draws its entries in its own colours; a tooltip shows the
    // path of the entry under the pointer.
    HWND list = listControls_[launcher_form::kList];
    fitEntryHeight();
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0,
                           0, hwnd(), nullptr, nullptr, nullptr);
    TOOLINFOW tool{sizeof tool, TTF_IDISHWND | TTF_SUBCLASS, hwnd(), UINT_PTR(list), {}, nullptr, nullptr, 0, nullptr};
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_ACTIVATE, FALSE, 0);

    presenter_.load();
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(listControls_[launcher_form::kList]);
}

MainWindow::~MainWindow()
{
    if (background_)
        DeleteObject(background_);
}

void MainWindow::makeBackground()
{
    if (background_)
        DeleteObject(background_);
    RECT r{};
    GetClientRect(controls_[main_frame_form::kBackground], &r);
    background_ = pictures::background({r.right, r.bottom});
}

void MainWindow::hideKeepingLoaded() { ShowWindow(hwnd(), SW_HIDE); }

void MainWindow::showAgain()
{
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
}

void MainWindow::setClockRunning(bool running)
{
    if (running)
        SetTimer(hwnd(), kClockTimer, 500, nullptr);
    else
        KillTimer(hwnd(), kClockTimer);
}

void MainWindow::centreOnScreen()
{
    const PixelRect screen = platform_.screen.geometry();
    RECT r{};
    GetWindowRect(hwnd(), &r);
    SetWindowPos(hwnd(), nullptr, screen.left + (screen.width() - (r.right - r.left)) / 2,
                 screen.top + (screen.height() - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::setTitleStrip(const std::string& text) { controls_.setText(main_frame_form::kTitleStrip, text); }
void MainWindow::setWindowTitle(const std::string& text) { SetWindowTextW(hwnd(), wintext::toWide(text).c_str()); }

void MainWindow::setRolledUp(bool rolledUp)
{
    using namespace main_frame_form;
    RECT r{};
    GetWindowRect(hwnd(), &r);
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, scale_.px(rolledUp ? kRolledUpTwips : kHeightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::setStarLit(bool lit)
{
    if (lit == starLit_)
        return;
    starLit_ = lit;
    controls_.setText(main_frame_form::kStar, lit ? main_frame_form::kLitStarCaption : main_frame_form::kStarCaption);
}

std::optional<std::string> MainWindow::popupMenu(const MenuSpec& menu)
{
    return platform_.menus.popup(menu, platform_.menus.pointerPosition());
}

RECT MainWindow::panelPlace(int top) const
{
    using namespace main_frame_form;
    return {0, scale_.px(top), scale_.px(kViewportWidth), scale_.px(top) + scale_.px(kPanelHeight)};
}

void MainWindow::preparePanel(Panel panel)
{
    const RECT hidden = panelPlace(PanelDeck::kHiddenTop);
    HWND parent = viewport_->hwnd();
    Services& services = platform_.services;
    switch (panel) {
    case Panel::AddItem:
        if (!addPanel_) {
            addPanel_ = std::make_unique<AddPanel>(parent, hidden, scale_, list_, services);
            presenter_.addPanelMade(addPanel_->presenter());
            panels_[0] = addPanel_->hwnd();
            panelWindows_[0] = addPanel_.get();
        }
        break;
    case Panel::QuickButtons:
        if (!quickPanel_) {
            quickPanel_ = std::make_unique<QuickPanel>(parent, hidden, scale_, services);
            presenter_.quickPanelMade(quickPanel_->presenter());
            quickPanel_->onDialUp = [this] { presenter_.dialUpChosen(); };
            quickPanel_->onLock = [this] { presenter_.lockChosen(); };
            panels_[1] = quickPanel_->hwnd();
            panelWindows_[1] = quickPanel_.get();
        }
        break;
    case Panel::Search:
        if (!searchPanel_) {
            searchPanel_ = std::make_unique<SearchPanel>(parent, hidden, scale_, list_, services, state_.findStart);
            panels_[2] = searchPanel_->hwnd();
            panelWindows_[2] = searchPanel_.get();
        }
        break;
    case Panel::Timer:
        if (!timerPanel_) {
            timerPanel_ = std::make_unique<TimerPanel>(parent, hidden, scale_, services, launcher_);
            presenter_.timerPanelMade(timerPanel_->presenter());
            panels_[3] = timerPanel_->hwnd();
            panelWindows_[3] = timerPanel_.get();
        }
        break;
    }
}

void MainWindow::placePanels(const PanelDeck& deck)
{
    for (int i = 0; i < PanelDeck::kPanelCount; ++i) {
        if (!panels_[std::size_t(i)])
            continue;
        panelTops_[std::size_t(i)] = deck.top(i);
        const RECT r = panelPlace(deck.top(i));
        SetWindowPos(panels_[std::size_t(i)], nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND top = panels_[std::size_t(deck.topmost())])
        SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (deck.timerEnabled())
        SetTimer(hwnd(), kSlideTimer, 10, nullptr);
    else
        KillTimer(hwnd(), kSlideTimer);
}

void MainWindow::close()
{
    presenter_.hideRequested();
}

void MainWindow::showEntries(const std::vector<std::string>& entries)
{
    HWND list = listControls_[launcher_form::kList];
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wintext::toWide(entry).c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::insertEntry(std::size_t at, const std::string& entry)
{
    SendMessageW(listControls_[launcher_form::kList], LB_INSERTSTRING, at,
                 reinterpret_cast<LPARAM>(wintext::toWide(entry).c_str()));
}

void MainWindow::removeEntry(std::size_t at) { SendMessageW(listControls_[launcher_form::kList], LB_DELETESTRING, at, 0); }
void MainWindow::clearEntries() { SendMessageW(listControls_[launcher_form::kList], LB_RESETCONTENT, 0, 0); }
void MainWindow::selectEntry(std::size_t at) { SendMessageW(listControls_[launcher_form::kList], LB_SETCURSEL, at, 0); }

std::optional<std::size_t> MainWindow::selectedEntry() const
{
    const LRESULT selected = SendMessageW(listControls_[launcher_form::kList], LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return std::nullopt;
    return std::size_t(selected);
}

void MainWindow::showTip(const std::string& tip)
{
    std::wstring text = wintext::toWide(tip);
    TOOLINFOW tool{sizeof tool, TTF_IDISHWND | TTF_SUBCLASS, hwnd(), UINT_PTR(listControls_[launcher_form::kList]),
                   {}, nullptr, text.data(), 0, nullptr};
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_ACTIVATE, text.empty() ? FALSE : TRUE, 0);
}

// An entry's height: the list font's line and a little room.
void MainWindow::fitEntryHeight()
{
    HWND list = listControls_[launcher_form::kList];
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(list, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + scale_.px(15));
}

// An entry in the list's colours, or white on navy when selected.
void MainWindow::drawEntry(const DRAWITEMSTRUCT& item)
{
    using namespace launcher_form;
    const ControlSpec& spec = *kForm.find(kList);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    paintFill(item.hDC, item.rcItem, selected ? kSelectedBack : spec.backColour.value_or(kListGrey));
    if (item.itemID == UINT(-1))
        return;
    std::wstring text(std::size_t(SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0)) + 1, L'\0');
    text.resize(std::size_t(SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()))));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colourRef(selected ? kSelectedText : spec.textColour.value_or(0)));
    RECT inside = item.rcItem;
    inside.left += scale_.px(30);
    DrawTextW(item.hDC, text.c_str(), int(text.size()), &inside, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void MainWindow::changeDpi(int dpi, const RECT& suggested)
{
    using namespace main_frame_form;
    scale_ = Scale{dpi};
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    controls_.rescale(scale_);
    listControls_.rescale(scale_);
    fitEntryHeight();
    const ControlSpec& viewport = *kForm.find(kViewport);
    SetWindowPos(viewport_->hwnd(), nullptr, scale_.px(viewport.place.left), scale_.px(viewport.place.top),
                 scale_.px(viewport.place.width), scale_.px(viewport.place.height), SWP_NOZORDER | SWP_NOACTIVATE);
    viewport_->rescale(scale_);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (!panelWindows_[i])
            continue;
        const RECT r = panelPlace(panelTops_[i]);
        SetWindowPos(panels_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        panelWindows_[i]->rescale(scale_);
    }
    makeBackground();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::setDateLine(const std::string& text)
{
    viewport_->lines().setText(status_area_form::kDateLine, text);
    viewport_->lines().fitToText(status_area_form::kDateLine, scale_);
}

void MainWindow::setAddress(const std::string& text)
{
    viewport_->lines().setText(status_area_form::kAddress, text);
    viewport_->lines().fitToText(status_area_form::kAddress, scale_);
}

void MainWindow::setUpTime(const std::string& text)
{
    viewport_->lines().setText(status_area_form::kUpTime, text);
    viewport_->lines().fitToText(status_area_form::kUpTime, scale_);
}

void MainWindow::command(std::string_view id, int notification)
{
    using namespace main_frame_form;
    if (id == kTitleStrip) {
        if (notification == STN_CLICKED)
            frame_.titleStripClicked();
        else if (notification == STN_DBLCLK)
            frame_.titleStripDoubleClicked();
    } else if (id == kHide && notification == BN_CLICKED) {
        frame_.hideChosen();
    } else if (id == kExit && notification == BN_CLICKED) {
        frame_.exitChosen();
    }
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kClockTimer)
            presenter_.clockTick();
        else if (wParam == kSlideTimer)
            frame_.slideTick();
        return 0;
    case WM_COMMAND:
        if (lParam) {
            const std::string_view listId = listControls_.idOf(LOWORD(wParam));
            if (!listId.empty()) {
                using namespace launcher_form;
                const int code = HIWORD(wParam);
                if (listId == kList && code == LBN_SELCHANGE)
                    list_.entryChosen();
                else if (listId == kList && code == LBN_DBLCLK)
                    list_.startSelectedAndClose();
                else if (listId == kStart && code == BN_CLICKED)
                    list_.startSelected();
                else if (listId == kDelete && code == BN_CLICKED)
                    list_.deleteSelected();
                else if (listId == kAdd && code == BN_CLICKED)
                    list_.addChosen();
                else if (listId == kClear && code == BN_CLICKED)
                    list_.clearAll();
                return 0;
            }
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
        LRESULT brush = 0;
        if (listControls_.colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), brush))
            return brush;
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_LISTBOX)
            drawEntry(item);
        else
            paintPicture(item);
        return TRUE;
    }
    case WM_DPICHANGED:
        changeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(hwnd(), &r);
        paintFill(reinterpret_cast<HDC>(wParam), r, main_frame_form::kFrameColour);
        return 1;
    }
    case WM_CLOSE:
        frame_.hideChosen();
        return 0;
    default:
        break;
    }
    return FormWindow::handle(message, wParam, lParam);
}

// The owner-drawn controls: the background, drawn from its bitmap; the
// title strip, a vertical gradient with its caption in white; the star in
// gold on the part of the background beneath it.
void MainWindow::paintPicture(const DRAWITEMSTRUCT& item)
{
    using namespace main_frame_form;
    const RECT& r = item.rcItem;
    if (item.hwndItem == controls_[kTitleStrip]) {
        paintGradient(item.hDC, r, kTitleTop, kTitleBottom);
        RECT inside = r;
        inside.left += scale_.px(90);  // the padding before the caption
        paintCaption(item, kTitleText, inside, DT_END_ELLIPSIS);
        return;
    }
    // Where the control lies on the background picture.
    POINT at{0, 0};
    MapWindowPoints(item.hwndItem, controls_[kBackground], &at, 1);
    if (background_) {
        HDC source = CreateCompatibleDC(item.hDC);
        HGDIOBJ old = SelectObject(source, background_);
        BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, at.x, at.y, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    if (item.hwndItem == controls_[kStar])
        paintCaption(item, kStarColour, r, DT_CENTER);
}

LRESULT CALLBACK MainWindow::handleProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self)
{
    return reinterpret_cast<MainWindow*>(self)->handleMouse(control, message, wParam, lParam);
}

// The title strip and the background drag the window; the background and
// the star light and dim the star; the star opens the options menu or hides
// the panels; the right button on the list opens its menu, and letters
// typed in it find an entry.
LRESULT MainWindow::handleMouse(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace main_frame_form;
    const float x = float(GET_X_LPARAM(lParam));
    const float y = float(GET_Y_LPARAM(lParam));
    const bool isHandle = control == controls_[kTitleStrip] || control == controls_[kBackground];
    if (control == listControls_[launcher_form::kList]) {
        if (message == WM_RBUTTONDOWN) {
            list_.menuRequested();
            return 0;
        }
        // Letters go to the presenter's type-to-find instead of the list box's own.
        if (message == WM_CHAR && wParam < 0x80 && std::isalpha(int(wParam))) {
            list_.letterTyped(char(wParam));
            return 0;
        }
        if (message == WM_MOUSEMOVE) {
            // The tip follows the entry under the pointer.
            const LRESULT hit = SendMessageW(control, LB_ITEMFROMPOINT, 0, lParam);
            std::optional<std::size_t> entry;
            if (HIWORD(hit) == 0)
                entry = std::size_t(LOWORD(hit));
            if (entry != entryUnderPointer_) {
                entryUnderPointer_ = entry;
                list_.pointerOver(entry);
            }
        }
        return DefSubclassProc(control, message, wParam, lParam);
    }
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (isHandle) {
            drag_.press(buttonOf(message), x, y);
            if (message == WM_LBUTTONDOWN)
                SetCapture(control);
        }
        if (control == controls_[kStar]) {
            frame_.starPressed(buttonOf(message));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == control)
            ReleaseCapture();
        break;
    case WM_MOUSEMOVE:
        if (control == controls_[kStar])
            frame_.pointerOverStar();
        else if (control == controls_[kBackground])
            frame_.pointerOverBackground();
        if (isHandle) {
            RECT r{};
            GetWindowRect(hwnd(), &r);
            if (const auto to = drag_.move(heldButtons(wParam), x, y, Point{double(r.left), double(r.top)}))
                SetWindowPos(hwnd(), nullptr, int(to->x), int(to->y), 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}
