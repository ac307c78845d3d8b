#pragma once

#include "core/form/FormDescription.h"

// The launcher list's right-button menu, with the submenu that places a
// shortcut to the current item.
namespace list_menu {

inline constexpr std::string_view kStart = "start";
inline constexpr std::string_view kOpenFolder = "openFolder";
inline constexpr std::string_view kOnDesktop = "onDesktop";
inline constexpr std::string_view kInStartMenu = "inStartMenu";
inline constexpr std::string_view kInQuickLaunch = "inQuickLaunch";
inline constexpr std::string_view kAdd = "add";
inline constexpr std::string_view kDelete = "delete";
inline constexpr std::string_view kClear = "clear";

inline constexpr MenuItemSpec kShortcutItems[] = {
    {.id = kOnDesktop, .caption = "在桌面"},
    {.id = kInStartMenu, .caption = "在开始菜单"},
    {.id = kInQuickLaunch, .caption = "在快速启动"},
};
inline constexpr MenuSpec kShortcutMenu{.id = "shortcutMenu", .caption = "快捷方式", .items = kShortcutItems};

inline constexpr MenuItemSpec kItems[] = {
    {.id = kStart, .caption = "启动"},
    {.id = kOpenFolder, .caption = "文件目录"},
    {.id = "shortcut", .caption = "快捷方式", .submenu = &kShortcutMenu},
    {.id = kAdd, .caption = "添加"},
    {.id = kDelete, .caption = "删除"},
    {.id = kClear, .caption = "清空"},
};

inline constexpr MenuSpec kMenu{.id = "listMenu", .caption = "主菜单", .items = kItems};

}  // namespace list_menu
