#include "platform/windows/services/WinPopupMenus.h"

#include "core/launcher/ListMenu.h"

#include "../WindowSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

// A menu whose submenu is the menu itself.
extern const MenuSpec selfContaining;
const MenuItemSpec selfContainingItems[] = {{.id = "a", .caption = "甲"},
                                            {.id = "again", .caption = "再来", .submenu = &selfContaining}};
const MenuSpec selfContaining{.id = "loop", .caption = "循环", .items = selfContainingItems};

// A loop of submenus ends.
TEST(WinPopupMenus, ASubmenuThatContainsItselfIsLeftEmpty)
{
    std::vector<std::string> ids;
    const HMENU loop = WinPopupMenus::build(selfContaining, ids);
    EXPECT_EQ(GetMenuItemCount(loop), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(loop, 1)), 0);
    DestroyMenu(loop);
}

// Keys are posted to the menu window from another thread, as the keyboard
// brings them; a menu still open after them is closed, so the test ends.
// The shown menu's captions arrive in UTF-16.
TEST(WinPopupMenus, TheChosenItemComesBackAndEscapeGivesNothing)
{
    if (!wintest::canMakeWindows())
        GTEST_SKIP() << "no window can be made here (Wine without a display)";
    const struct {
        std::vector<WPARAM> keys;
        std::optional<std::string> chosen;
    } cases[] = {
        {{VK_DOWN, VK_DOWN, VK_RETURN}, "openFolder"},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, "inStartMenu"},
        {{VK_UP, VK_RETURN}, "clear"},
        {{VK_ESCAPE}, std::nullopt},
    };
    WinPopupMenus menus;
    SetCursorPos(5, 5);  // no item under the pointer
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.value_or("nothing"));
        std::atomic<bool> done = false;
        wchar_t caption[32] = {};
        std::thread keyboard([&] {
            const HWND menu = wintest::waitForWindow(L"#32768", nullptr);
            const auto shown = HMENU(SendMessageW(menu, MN_GETHMENU, 0, 0));
            GetMenuStringW(shown, 2, caption, 32, MF_BYPOSITION);
            for (const WPARAM key : c.keys) {
                Sleep(100);
                PostMessageW(menu, WM_KEYDOWN, key, 1);
            }
            for (int i = 1; i <= 50 && !done; ++i) {
                Sleep(100);
                if (i % 5 == 0)
                    PostMessageW(FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 1);
            }
        });
        const std::optional<std::string> chosen = menus.popup(list_menu::kMenu, {400, 300});
        done = true;
        keyboard.join();
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_STREQ(caption, L"快捷方式");
    }
    POINT at{};
    GetCursorPos(&at);
    EXPECT_EQ(menus.pointerPosition(), (PixelPoint{int(at.x), int(at.y)}));
}
