#pragma once

#include "core/form/FormDescription.h"

// The search panel: the engine, the category, the query and its button.
namespace search_panel_form {

inline constexpr std::string_view kEngineFrame = "engineFrame";
inline constexpr std::string_view kCategoryFrame = "categoryFrame";
inline constexpr std::string_view kQuery = "queryBox";
inline constexpr std::string_view kSearch = "searchButton";

// The options in the order of SearchEngine and SearchCategory.
inline constexpr std::string_view kEngineOptions[] = {"baiduOption", "googleOption", "gougouOption"};
inline constexpr std::string_view kCategoryOptions[] = {"webOption",      "questionsOption", "mp3Option",
                                                        "picturesOption", "videoOption",     "newsOption"};

inline constexpr ControlSpec kControls[] = {
    {.id = kEngineFrame, .kind = ControlKind::Frame, .place = {240, 120, 2445, 255}},
    {.id = kEngineOptions[0], .kind = ControlKind::Option, .caption = "百度", .place = {120, 0, 0, 255},
     .tabIndex = 0, .selected = true, .parent = kEngineFrame},
    {.id = kEngineOptions[1], .kind = ControlKind::Option, .caption = "谷歌", .place = {840, 0, 0, 255},
     .tabIndex = 1, .parent = kEngineFrame},
    {.id = kEngineOptions[2], .kind = ControlKind::Option, .caption = "狗狗", .place = {1680, 0, 0, 255},
     .tabIndex = 2, .parent = kEngineFrame},
    {.id = kCategoryFrame, .kind = ControlKind::Frame, .place = {240, 360, 2445, 855}},
    {.id = kCategoryOptions[0], .kind = ControlKind::Option, .caption = "网页", .place = {120, 120, 0, 375},
     .tabIndex = 3, .selected = true, .parent = kCategoryFrame},
    {.id = kCategoryOptions[1], .kind = ControlKind::Option, .caption = "知道", .place = {840, 120, 0, 375},
     .tabIndex = 4, .parent = kCategoryFrame},
    {.id = kCategoryOptions[2], .kind = ControlKind::Option, .caption = "MP3", .place = {1680, 120, 0, 375},
     .tabIndex = 5, .parent = kCategoryFrame},
    {.id = kCategoryOptions[3], .kind = ControlKind::Option, .caption = "图片", .place = {120, 480, 0, 375},
     .tabIndex = 6, .parent = kCategoryFrame},
    {.id = kCategoryOptions[4], .kind = ControlKind::Option, .caption = "视频", .place = {840, 480, 0, 375},
     .tabIndex = 7, .parent = kCategoryFrame},
    {.id = kCategoryOptions[5], .kind = ControlKind::Option, .caption = "新闻", .place = {1680, 480, 0, 375},
     .tabIndex = 8, .parent = kCategoryFrame},
    {.id = kQuery, .kind = ControlKind::TextBox, .place = {240, 1320, 2445, 420}, .tabIndex = 9},
    {.id = kSearch, .kind = ControlKind::Button, .caption = "So一下", .place = {2760, 1320, 1095, 375},
     .tabIndex = 10},
};

inline constexpr FormSpec kForm{.id = "searchPanel", .controls = kControls};

}  // namespace search_panel_form
