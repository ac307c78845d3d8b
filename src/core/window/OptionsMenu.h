#pragma once

#include "core/form/FormDescription.h"

// The star's options menu: each item slides one panel in.
namespace options_menu {

inline constexpr std::string_view kQuickButtons = "quickButtons";
inline constexpr std::string_view kTimer = "timer";
inline constexpr std::string_view kSearch = "search";

inline constexpr MenuItemSpec kItems[] = {
    {.id = kQuickButtons, .caption = "快捷按键"},
    {.id = kTimer, .caption = "定时选项"},
    {.id = kSearch, .caption = "搜索引擎"},
};

inline constexpr MenuSpec kMenu{.id = "optionsMenu", .caption = "选项", .items = kItems};

}  // namespace options_menu
