#include "platform/windows/services/WinMessageBoxes.h"

#include "../TempFolder.h"
#include "../WindowSession.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// What a box showed, read from another thread as another program would.
struct Shown {
    std::wstring text;
    bool icon = false;
    bool cancelButton = false;
    int defaultButton = 0;  // drawn as the default, so Enter presses it
    HWND owner = nullptr;
};

BOOL CALLBACK readStatic(HWND child, LPARAM into)
{
    auto& shown = *reinterpret_cast<Shown*>(into);
    wchar_t text[512] = {};
    if (!GetClassNameW(child, text, 512) || lstrcmpiW(text, L"Static") != 0)
        return TRUE;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        shown.icon = shown.icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
    else if (GetWindowTextW(child, text, 512) > 0)
        shown.text += text;
    return TRUE;
}

// Waits for the box titled title, reads it and presses the button.
std::optional<Shown> answer(const std::wstring& title, int button)
{
    const HWND box = wintest::waitForWindow(L"#32770", title.c_str());
    if (!box)
        return std::nullopt;
    Shown shown;
    shown.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, readStatic, reinterpret_cast<LPARAM>(&shown));
    shown.cancelButton = GetDlgItem(box, IDCANCEL) != nullptr;
    // Wine's DM_GETDEFID names IDOK whatever the default; the style tells it.
    for (const int id : {IDOK, IDCANCEL})
        if ((GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            shown.defaultButton = id;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(GetDlgItem(box, button)));
    return shown;
}

}  // namespace

TEST(WinMessageBoxes, ShowsTheBoxAsAskedAndTellsTheButton)
{
    if (!wintest::canMakeWindows())
        GTEST_SKIP() << "no window can be made here (Wine without a display)";
    using B = MessageBoxes;
    const B::Box question{"确认", "真的要清空列表吗？", B::Icon::Exclamation, B::Buttons::OkCancel, 1};
    const struct {
        B::Box box;
        bool owned;  // an active window of this thread owns the box
        int press;
        int defaultButton;
        bool result;
    } cases[] = {
        {{"提示", "已保存到“桌面”。"}, false, IDOK, IDOK, true},
        {question, false, IDOK, IDCANCEL, true},
        {question, true, IDCANCEL, IDCANCEL, false},
        {{"拨号", "断开 𠀀 连接？", B::Icon::None, B::Buttons::OkCancel, 0}, true, IDCANCEL, IDOK, false},
        // One button: a second default has nothing to fall on.
        {{"警告", "磁盘已满", B::Icon::Exclamation, B::Buttons::Ok, 1}, false, IDOK, IDOK, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box.title + " " + c.box.text);
        HWND active = nullptr;
        if (c.owned) {
            active = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                     nullptr, nullptr, nullptr, nullptr);
            SetForegroundWindow(active);
            ASSERT_EQ(GetActiveWindow(), active);
        }
        std::optional<Shown> shown;
        std::thread reader([&] { shown = answer(wintest::wide(c.box.title), c.press); });
        const bool result = WinMessageBoxes().show(c.box);
        reader.join();
        if (active)
            DestroyWindow(active);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->text, wintest::wide(c.box.text));
        EXPECT_EQ(shown->icon, c.box.icon == B::Icon::Exclamation);
        EXPECT_EQ(shown->cancelButton, c.box.buttons == B::Buttons::OkCancel);
        EXPECT_EQ(shown->defaultButton, c.defaultButton);
        EXPECT_EQ(shown->owner, active);
        EXPECT_EQ(result, c.result);
    }
}
