#pragma once

#include "core/form/FormDescription.h"

// The quick panel: nine system buttons in three rows of three.
namespace quick_panel_form {

inline constexpr std::string_view kComputer = "computerButton";
inline constexpr std::string_view kControlPanel = "controlPanelButton";
inline constexpr std::string_view kInternet = "internetButton";
inline constexpr std::string_view kRecycleBin = "recycleBinButton";
inline constexpr std::string_view kDialUp = "dialUpButton";
inline constexpr std::string_view kTaskManager = "taskManagerButton";
inline constexpr std::string_view kPowerOff = "quickPowerOffButton";
inline constexpr std::string_view kRestart = "rebootButton";
inline constexpr std::string_view kLock = "lockButton";

constexpr TwipRect cell(int row, int column)
{
    constexpr int lefts[] = {120, 1440, 2760};
    constexpr int tops[] = {240, 720, 1200};
    return {lefts[column], tops[row], 1095, 375};
}

inline constexpr ControlSpec kControls[] = {
    {.id = kComputer, .kind = ControlKind::Button, .caption = "计算机", .place = cell(0, 0), .tabIndex = 0},
    {.id = kControlPanel, .kind = ControlKind::Button, .caption = "控制面板", .place = cell(0, 1), .tabIndex = 1},
    {.id = kInternet, .kind = ControlKind::Button, .caption = "Internet", .place = cell(0, 2), .tabIndex = 2},
    {.id = kRecycleBin, .kind = ControlKind::Button, .caption = "回收站", .place = cell(1, 0), .tabIndex = 3},
    {.id = kDialUp, .kind = ControlKind::Button, .caption = "宽带连接", .place = cell(1, 1), .tabIndex = 4},
    {.id = kTaskManager, .kind = ControlKind::Button, .caption = "任务管理", .place = cell(1, 2), .tabIndex = 5},
    {.id = kPowerOff, .kind = ControlKind::Button, .caption = "快速关机", .place = cell(2, 0), .tabIndex = 6},
    {.id = kRestart, .kind = ControlKind::Button, .caption = "重启", .place = cell(2, 1), .tabIndex = 7},
    {.id = kLock, .kind = ControlKind::Button, .caption = "锁屏", .place = cell(2, 2), .tabIndex = 8},
};

inline constexpr FormSpec kForm{.id = "quickPanel", .controls = kControls};

}  // namespace quick_panel_form
