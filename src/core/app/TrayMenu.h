#pragma once

#include "core/form/FormDescription.h"

// The tray icon's menu, opened by a right click on the icon.
namespace tray_menu {

inline constexpr std::string_view kShow = "show";
inline constexpr std::string_view kExit = "exit";

inline constexpr MenuItemSpec kItems[] = {
    {.id = kShow, .caption = "显示"},
    {.id = kExit, .caption = "退出"},
};

inline constexpr MenuSpec kMenu{.id = "trayMenu", .caption = "菜单", .items = kItems};

}  // namespace tray_menu
