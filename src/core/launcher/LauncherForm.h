#pragma once

#include "core/form/FormDescription.h"

// The launcher list on the main window, its buttons, and the add panel.
namespace launcher_form {

inline constexpr std::string_view kList = "itemList";
inline constexpr std::string_view kStart = "startButton";
inline constexpr std::string_view kDelete = "deleteButton";
inline constexpr std::string_view kAdd = "addButton";
inline constexpr std::string_view kClear = "clearButton";

inline constexpr Rgb kBlue = 0x0000FF;
inline constexpr Rgb kListGrey = 0xC0C0C0;
inline constexpr Rgb kSelectedText = 0xFFFFFF;  // a selected entry: white on navy
inline constexpr Rgb kSelectedBack = 0x000080;

// The list's buttons stand in a column with the window's 隐藏 and 退出.
inline constexpr int kButtonLeft = 3240;
inline constexpr int kButtonTop = 600;
inline constexpr int kButtonPitch = 600;
inline constexpr int kButtonWidth = 975;
inline constexpr int kButtonHeight = 375;

constexpr TwipRect buttonPlace(int row)
{
    return {kButtonLeft, kButtonTop + kButtonPitch * row, kButtonWidth, kButtonHeight};
}

inline constexpr ControlSpec kControls[] = {
    {.id = kList, .kind = ControlKind::List, .place = {240, 600, 2775, 3810}, .font = {.points = 10.5},
     .textColour = kBlue, .backColour = kListGrey, .tabIndex = 0},
    {.id = kStart, .kind = ControlKind::Button, .caption = "启动", .place = buttonPlace(0), .tabIndex = 1},
    {.id = kDelete, .kind = ControlKind::Button, .caption = "删除", .place = buttonPlace(1), .tabIndex = 2},
    {.id = kAdd, .kind = ControlKind::Button, .caption = "添加", .place = buttonPlace(2), .tabIndex = 3},
    {.id = kClear, .kind = ControlKind::Button, .caption = "清空", .place = buttonPlace(3), .tabIndex = 4},
};

inline constexpr FormSpec kForm{.id = "launcherList", .controls = kControls};

}  // namespace launcher_form

// The add panel: a path and a name, chosen by hand or by browsing.
namespace add_panel_form {

inline constexpr std::string_view kPath = "pathBox";
inline constexpr std::string_view kName = "nameBox";
inline constexpr std::string_view kBrowse = "browseButton";
inline constexpr std::string_view kCancel = "cancelButton";
inline constexpr std::string_view kConfirm = "confirmButton";

inline constexpr Rgb kBoxGrey = 0xE0E0E0;

inline constexpr ControlSpec kControls[] = {
    {.id = "pathLabel", .caption = "路径：", .place = {120, 240, 0, 375}},
    {.id = kPath, .kind = ControlKind::TextBox, .place = {840, 240, 3015, 420}, .font = {.points = 10.5},
     .backColour = kBoxGrey, .tabIndex = 0},
    {.id = "nameLabel", .caption = "名称：", .place = {120, 720, 0, 375}},
    {.id = kName, .kind = ControlKind::TextBox, .place = {840, 720, 3015, 420}, .font = {.points = 10.5},
     .backColour = kBoxGrey, .tabIndex = 1},
    {.id = kBrowse, .kind = ControlKind::Button, .caption = "浏览", .place = {1440, 1320, 735, 375}, .tabIndex = 2},
    {.id = kCancel, .kind = ControlKind::Button, .caption = "取消", .place = {2280, 1320, 735, 375}, .tabIndex = 3},
    {.id = kConfirm, .kind = ControlKind::Button, .caption = "确定", .place = {3120, 1320, 735, 375}, .tabIndex = 4},
};

inline constexpr FormSpec kForm{.id = "addPanel", .controls = kControls};

}  // namespace add_panel_form
