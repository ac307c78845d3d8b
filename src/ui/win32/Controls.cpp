#include "Controls.h"

#include "platform/windows/WideText.h"

#include <algorithm>

namespace {

bool faceInstalled(const std::wstring& face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(
        dc, &wanted, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

const wchar_t* classOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::Option:
        return L"BUTTON";
    case ControlKind::TextBox: return L"EDIT";
    case ControlKind::List: return L"LISTBOX";
    case ControlKind::Frame:
    case ControlKind::Label:
    case ControlKind::Picture:
        break;
    }
    return L"STATIC";
}

// An option group is one stop of the keyboard order, at its chosen option
// (optionChosen() moves it).
DWORD styleOf(const ControlSpec& spec, bool firstOption)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (spec.tabIndex >= 0 && (spec.kind != ControlKind::Option || spec.selected))
        style |= WS_TABSTOP;
    switch (spec.kind) {
    case ControlKind::Button: return style | (spec.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    case ControlKind::Option: return style | BS_AUTORADIOBUTTON | (firstOption ? WS_GROUP : 0);
    case ControlKind::TextBox:
        return style | WS_BORDER | ES_AUTOHSCROLL | (spec.passwordChar ? ES_PASSWORD : 0)
               | (spec.readOnly ? ES_READONLY : 0);
    // The window that holds a list draws its entries (WM_DRAWITEM).
    case ControlKind::List:
        return style | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    case ControlKind::Frame: return spec.framed ? (style & ~WS_TABSTOP) | BS_GROUPBOX : style;
    case ControlKind::Picture: return style | SS_NOTIFY | SS_OWNERDRAW;
    case ControlKind::Label: break;
    }
    const DWORD align = spec.alignment == Alignment::Centre  ? SS_CENTER
                        : spec.alignment == Alignment::Right ? SS_RIGHT
                                                             : SS_LEFT;
    return style | SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE | align;
}

}  // namespace

std::wstring installedFace(FontFace face)
{
    static const std::vector<std::wstring> yaHei = {L"微软雅黑", L"Microsoft YaHei", L"WenQuanYi Micro Hei",
                                                    L"Noto Sans CJK SC", L"SimSun", L"宋体"};
    static const std::vector<std::wstring> youYuan = {L"幼圆", L"YouYuan", L"WenQuanYi Zen Hei",
                                                      L"WenQuanYi Micro Hei", L"Noto Sans CJK SC", L"SimSun"};
    // Found once for each face: every control of every window asks.
    static std::wstring found[2];
    std::wstring& chosen = found[face == FontFace::YouYuan];
    if (chosen.empty()) {
        chosen = L"MS Shell Dlg 2";
        for (const std::wstring& candidate : face == FontFace::YouYuan ? youYuan : yaHei)
            if (faceInstalled(candidate)) {
                chosen = candidate;
                break;
            }
    }
    return chosen;
}

Controls::~Controls()
{
    for (const auto& [key, font] : fonts_)
        DeleteObject(font);
    for (const auto& [key, brush] : brushes_)
        DeleteObject(brush);
}

HFONT Controls::fontFor(const FontSpec& font, int dpi)
{
    const std::wstring face = installedFace(font.face);
    const int height = -MulDiv(int(font.points * 100 + 0.5), dpi, 7200);
    const int key = height * (font.bold ? -1 : 1);
    HFONT& made = fonts_[{face, key}];
    if (!made)
        made = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face.c_str());
    return made;
}

HBRUSH Controls::brushFor(Rgb colour)
{
    HBRUSH& brush = brushes_[colour];
    if (!brush)
        brush = CreateSolidBrush(colourRef(colour));
    return brush;
}

// A width or height of 0 takes what the caption needs in the control's font,
// with room for an option's circle.
RECT Controls::placeOf(const ControlSpec& spec, const Scale& scale, POINT origin) const
{
    int left = scale.px(spec.place.left) + origin.x;
    int top = scale.px(spec.place.top) + origin.y;
    if (!spec.parent.empty()) {
        for (const ControlSpec& other : form_->controls)
            if (other.id == spec.parent) {
                left += scale.px(other.place.left);
                top += scale.px(other.place.top);
            }
    }
    int width = scale.px(spec.place.width);
    int height = scale.px(spec.place.height);
    if (spec.place.width == 0 || spec.place.height == 0) {
        HDC dc = GetDC(parent_);
        const auto it = std::find_if(made_.begin(), made_.end(), [&](const Made& m) { return m.spec == &spec; });
        HGDIOBJ old = SelectObject(dc, it != made_.end() ? HFONT(SendMessageW(it->hwnd, WM_GETFONT, 0, 0))
                                                           : GetStockObject(DEFAULT_GUI_FONT));
        // The text shown now: a label that sizes itself follows its text.
        std::wstring caption = wintext::toWide(spec.caption);
        if (it != made_.end()) {
            caption.assign(std::size_t(GetWindowTextLengthW(it->hwnd)) + 1, L'\0');
            caption.resize(std::size_t(GetWindowTextW(it->hwnd, caption.data(), int(caption.size()))));
        }
        if (caption.empty())
            caption = L" ";
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(parent_, dc);
        const int extra = spec.kind == ControlKind::Option ? GetSystemMetrics(SM_CXMENUCHECK) + scale.px(90) : 0;
        if (spec.place.width == 0)
            width = size.cx + extra;
        if (spec.place.height == 0)
            height = size.cy;
    }
    return {left, top, left + width, top + height};
}

void Controls::build(const FormSpec& form, HWND parent, const Scale& scale, int firstId, POINT origin)
{
    form_ = &form;
    parent_ = parent;
    std::string_view lastOptionParent = "\n";  // no container has this name
    int nextId = firstId;
    for (const ControlSpec& spec : form.controls) {
        const bool firstOption = spec.kind == ControlKind::Option && spec.parent != lastOptionParent;
        if (spec.kind == ControlKind::Option)
            lastOptionParent = spec.parent;
        const std::wstring caption = wintext::toWide(spec.caption);
        HWND hwnd = CreateWindowExW(0, classOf(spec.kind), caption.c_str(), styleOf(spec, firstOption), 0, 0, 0, 0,
                                    parent, reinterpret_cast<HMENU>(INT_PTR(nextId)), GetModuleHandleW(nullptr),
                                    nullptr);
        SendMessageW(hwnd, WM_SETFONT, WPARAM(fontFor(spec.font, scale.dpi)), FALSE);
        if (spec.kind == ControlKind::TextBox && spec.passwordChar)
            SendMessageW(hwnd, EM_SETPASSWORDCHAR, WPARAM(wchar_t(spec.passwordChar)), 0);
        if (spec.kind == ControlKind::TextBox && spec.inputMethodOff)
            ImmAssociateContextEx(hwnd, nullptr, 0);
        if (spec.selected)
            SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
        made_.push_back({&spec, hwnd, nextId++});
    }
    rescale(scale, origin);
    // The keyboard follows the tab index: each tab stop goes after the one
    // before it in the window order, which Tab walks.
    std::vector<const Made*> stops;
    for (const Made& m : made_)
        if (m.spec->tabIndex >= 0)
            stops.push_back(&m);
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Made* a, const Made* b) { return a->spec->tabIndex < b->spec->tabIndex; });
    for (std::size_t i = 1; i < stops.size(); ++i)
        SetWindowPos(stops[i]->hwnd, stops[i - 1]->hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A container, and a picture the others stand on, lies beneath the
    // controls over it, which would otherwise be clipped away by it: a window
    // made later lies lower.
    for (const Made& m : made_)
        if (m.spec->kind == ControlKind::Frame || m.spec->kind == ControlKind::Picture)
            SetWindowPos(m.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Controls::rescale(const Scale& scale, POINT origin)
{
    for (const Made& m : made_) {
        SendMessageW(m.hwnd, WM_SETFONT, WPARAM(fontFor(m.spec->font, scale.dpi)), FALSE);
        const RECT r = placeOf(*m.spec, scale, origin);
        SetWindowPos(m.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Controls::optionChosen(HWND option)
{
    const auto chosen = std::find_if(made_.begin(), made_.end(), [&](const Made& m) { return m.hwnd == option; });
    if (chosen == made_.end() || chosen->spec->kind != ControlKind::Option)
        return;
    for (const Made& m : made_) {
        if (m.spec->kind != ControlKind::Option || m.spec->parent != chosen->spec->parent || m.spec->tabIndex < 0)
            continue;
        const LONG_PTR style = GetWindowLongPtrW(m.hwnd, GWL_STYLE);
        SetWindowLongPtrW(m.hwnd, GWL_STYLE, m.hwnd == option ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
    }
}

HWND Controls::operator[](std::string_view id) const
{
    for (const Made& m : made_)
        if (m.spec->id == id)
            return m.hwnd;
    return nullptr;
}

std::string_view Controls::idOf(int commandId) const
{
    for (const Made& m : made_)
        if (m.commandId == commandId)
            return m.spec->id;
    return {};
}

bool Controls::colour(HWND control, HDC dc, LRESULT& brush)
{
    for (const Made& m : made_) {
        if (m.hwnd != control)
            continue;
        const ControlSpec& spec = *m.spec;
        if (!spec.textColour && !spec.backColour && !spec.transparent)
            return false;
        if (spec.textColour)
            SetTextColor(dc, colourRef(*spec.textColour));
        if (spec.backColour) {
            SetBkColor(dc, colourRef(*spec.backColour));
            brush = LRESULT(brushFor(*spec.backColour));
        } else {
            SetBkMode(dc, TRANSPARENT);
            brush = LRESULT(GetStockObject(spec.transparent ? NULL_BRUSH : WHITE_BRUSH));
            if (!spec.transparent)
                brush = LRESULT(GetSysColorBrush(COLOR_BTNFACE));
        }
        return true;
    }
    return false;
}

void Controls::setText(std::string_view id, std::string_view utf8)
{
    SetWindowTextW((*this)[id], wintext::toWide(utf8).c_str());
}

void Controls::fitToText(std::string_view id, const Scale& scale, POINT origin)
{
    for (const Made& m : made_) {
        if (m.spec->id != id)
            continue;
        const RECT r = placeOf(*m.spec, scale, origin);
        RECT now{};
        GetWindowRect(m.hwnd, &now);
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&now), 2);
        if (EqualRect(&now, &r))
            continue;  // the text set has repainted it already
        SetWindowPos(m.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(m.hwnd, nullptr, TRUE);
    }
}

std::string Controls::text(std::string_view id) const
{
    HWND hwnd = (*this)[id];
    std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return wintext::toUtf8(text);
}

void drawnByParent(HWND label)
{
    SetWindowLongPtrW(label, GWL_STYLE, (GetWindowLongPtrW(label, GWL_STYLE) & ~SS_TYPEMASK) | SS_OWNERDRAW);
}

void paintFill(HDC dc, const RECT& r, Rgb colour)
{
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void paintEdge(HDC dc, const RECT& r, Rgb colour)
{
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

void paintGradient(HDC dc, const RECT& r, Rgb top, Rgb bottom)
{
    const auto vertex = [](LONG x, LONG y, Rgb c) {
        return TRIVERTEX{x, y, COLOR16((c >> 16 & 0xFF) << 8), COLOR16((c >> 8 & 0xFF) << 8), COLOR16((c & 0xFF) << 8),
                         0};
    };
    TRIVERTEX corners[] = {vertex(r.left, r.top, top), vertex(r.right, r.bottom, bottom)};
    GRADIENT_RECT whole{0, 1};
    GradientFill(dc, corners, 2, &whole, 1, GRADIENT_FILL_RECT_V);
}

void paintCaption(const DRAWITEMSTRUCT& item, Rgb colour, RECT inside, UINT format)
{
    wchar_t text[256]{};
    GetWindowTextW(item.hwndItem, text, int(std::size(text)));
    HGDIOBJ old = SelectObject(item.hDC, HFONT(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colourRef(colour));
    DrawTextW(item.hDC, text, -1, &inside, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(item.hDC, old);
}
