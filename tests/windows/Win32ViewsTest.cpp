// The Win32 layer where a fault could hide behind the tested presenters: the
// builder of controls from a description, at two DPIs, and the time boxes
// that take digits only.
#include "WindowSession.h"
#include "support/CoreTest.h"
#include "support/FakeServices.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Panels.h"
#include "core/launcher/ItemLauncher.h"
#include "core/scheduler/TimerPanelForm.h"

#include <commctrl.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr ControlSpec kControls[] = {
    {.id = "name", .kind = ControlKind::TextBox, .place = {120, 120, 1500, 300}, .tabIndex = 2},
    {.id = "secret", .kind = ControlKind::TextBox, .place = {120, 480, 1500, 300}, .tabIndex = 1,
     .passwordChar = '*', .inputMethodOff = true},
    {.id = "go", .kind = ControlKind::Button, .caption = "连接", .place = {1800, 120, 900, 375}, .font = {.points = 12},
     .tabIndex = 0, .defaultButton = true},
    {.id = "fits", .caption = "宽度随文字", .place = {120, 900, 0, 0}},
    {.id = "box", .kind = ControlKind::Frame, .caption = "方式", .place = {1800, 600, 1500, 900}, .framed = true},
    {.id = "first", .kind = ControlKind::Option, .caption = "甲", .place = {60, 240, 600, 300}, .tabIndex = 3,
     .selected = true, .parent = "box"},
    {.id = "second", .kind = ControlKind::Option, .caption = "乙", .place = {60, 540, 600, 300}, .tabIndex = 4,
     .parent = "box"},
    {.id = "list", .kind = ControlKind::List, .place = {120, 1200, 1500, 900}, .tabIndex = 5},
};
constexpr FormSpec kForm{.id = "sample", .widthTwips = 3600, .heightTwips = 2400, .controls = kControls};

std::wstring classOf(HWND control)
{
    wchar_t name[64]{};
    GetClassNameW(control, name, 64);
    return name;
}

RECT placeIn(HWND control)
{
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct HiddenParent {
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                nullptr, nullptr);
    ~HiddenParent() { DestroyWindow(hwnd); }
};

}  // namespace

TEST(Win32Controls, EachControlIsMadeAsDescribedAtTheWindowsDpi)
{
    if (!wintest::canMakeWindows())
        GTEST_SKIP() << "no display";
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        const Scale scale{dpi};
        HiddenParent parent;
        Controls controls;
        controls.build(kForm, parent.hwnd, scale, 100);

        const auto style = [&](const char* id) { return DWORD(GetWindowLongPtrW(controls[id], GWL_STYLE)); };
        EXPECT_EQ(classOf(controls["name"]), L"Edit");
        EXPECT_EQ(classOf(controls["go"]), L"Button");
        EXPECT_EQ(classOf(controls["list"]), L"ListBox");
        EXPECT_EQ(style("go") & BS_TYPEMASK, DWORD(BS_DEFPUSHBUTTON));
        EXPECT_EQ(style("box") & BS_TYPEMASK, DWORD(BS_GROUPBOX));
        EXPECT_TRUE(style("first") & WS_GROUP) << "an option group starts at its first option";
        EXPECT_FALSE(style("second") & WS_GROUP);
        EXPECT_EQ(SendMessageW(controls["first"], BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageW(controls["secret"], EM_GETPASSWORDCHAR, 0, 0), L'*');
        EXPECT_EQ(ImmGetContext(controls["secret"]), nullptr) << "no input method in the password box";
        EXPECT_NE(ImmGetContext(controls["name"]), nullptr);

        // Twips to pixels by MulDiv at 1440 an inch; a control in a frame is
        // placed from the frame's corner; fonts at their points for the DPI.
        const RECT name = placeIn(controls["name"]);
        EXPECT_EQ(name.left, MulDiv(120, dpi, 1440));
        EXPECT_EQ(name.right - name.left, MulDiv(1500, dpi, 1440));
        const RECT second = placeIn(controls["second"]);
        EXPECT_EQ(second.left, MulDiv(1800, dpi, 1440) + MulDiv(60, dpi, 1440));
        EXPECT_EQ(second.top, MulDiv(600, dpi, 1440) + MulDiv(540, dpi, 1440));
        LOGFONTW font{};
        GetObjectW(HFONT(SendMessageW(controls["go"], WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(1200, dpi, 7200));
        const RECT fits = placeIn(controls["fits"]);
        EXPECT_GT(fits.right - fits.left, 0) << "a label of no width takes its caption's";

        // Tab walks the tab index: go, secret, name, first, list (an option
        // group is one stop).
        std::vector<std::string> order;
        HWND at = controls["go"];
        for (int i = 0; i < 5; ++i, at = GetNextDlgTabItem(parent.hwnd, at, FALSE))
            order.push_back(std::string(controls.idOf(GetDlgCtrlID(at))));
        EXPECT_EQ(order, (std::vector<std::string>{"go", "secret", "name", "first", "list"}));
        SendMessageW(controls["second"], BM_CLICK, 0, 0);
        controls.optionChosen(controls["second"]);
        EXPECT_EQ(GetNextDlgTabItem(parent.hwnd, controls["name"], FALSE), controls["second"]);

        // Laid out again for twice the DPI, each place is the one made there.
        controls.rescale(Scale{dpi * 2});
        EXPECT_EQ(placeIn(controls["second"]).top, MulDiv(600, dpi * 2, 1440) + MulDiv(540, dpi * 2, 1440));
    }
}

TEST(Win32TimerPanel, TheTimeBoxesTakeDigitsOnlyByEveryWayIn)
{
    if (!wintest::canMakeWindows())
        GTEST_SKIP() << "no display";
    TempFolder folder;
    FakeServices fakes(folder.path());
    ItemLauncher launcher(fakes.services);
    HiddenParent parent;
    TimerPanel panel(parent.hwnd, {0, 0, 300, 125}, Scale{96}, fakes.services, launcher);
    HWND hour = FindWindowExW(panel.hwnd(), nullptr, L"Edit", nullptr);
    ASSERT_NE(hour, nullptr);

    SetWindowTextW(hour, L"");
    for (wchar_t c : std::wstring(L"1a２-"))
        SendMessageW(hour, WM_CHAR, c, 0);
    SendMessageW(hour, WM_IME_CHAR, L'时', 0);
    SendMessageW(hour, WM_CHAR, L'2', 0);

    // Ctrl+V and Shift+Insert both come as WM_PASTE.
    ASSERT_TRUE(OpenClipboard(parent.hwnd));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof(L"34"));
    std::memcpy(GlobalLock(text), L"34", sizeof(L"34"));
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    CloseClipboard();
    SendMessageW(hour, WM_PASTE, 0, 0);

    EXPECT_EQ(panel.boxText(TimeBox::Hour), "12");
}
