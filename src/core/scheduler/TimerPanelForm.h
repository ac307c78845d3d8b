#pragma once

#include "core/form/FormDescription.h"

// The timer panel: at a clock time or after a countdown, one of five actions.
namespace timer_panel_form {

inline constexpr std::string_view kCurrentTime = "currentTimeLabel";
inline constexpr std::string_view kClockTime = "clockTimeOption";
inline constexpr std::string_view kHour = "hourBox";
inline constexpr std::string_view kMinute = "minuteBox";
inline constexpr std::string_view kCountdown = "countdownOption";
inline constexpr std::string_view kMinutes = "minutesBox";
inline constexpr std::string_view kStart = "startButton";
inline constexpr std::string_view kActionFrame = "actionFrame";
inline constexpr std::string_view kProgram = "programBox";

// The options of ScheduleMode and ScheduleAction, in the enumerations' order,
// and the time boxes of TimeBox.
inline constexpr std::string_view kModeOptions[] = {kClockTime, kCountdown};
inline constexpr std::string_view kActionOptions[] = {"alarmOption", "powerOffOption", "rebootOption",
                                                      "logOffOption", "runProgramOption"};
inline constexpr std::string_view kTimeBoxes[] = {kHour, kMinute, kMinutes};

inline constexpr std::string_view kStartCaption = "开始";
inline constexpr std::string_view kStopCaption = "停止";

inline constexpr ControlSpec kControls[] = {
    {.id = kCurrentTime, .caption = "当前时间:", .place = {120, 240, 0, 375}, .textColour = 0x0000FF},
    {.id = kClockTime, .kind = ControlKind::Option, .caption = "定时", .place = {120, 720, 0, 375}, .tabIndex = 0,
     .selected = true},
    {.id = kHour, .kind = ControlKind::TextBox, .place = {840, 720, 300, 375}, .tabIndex = 1, .inputMethodOff = true},
    {.id = "hourLabel", .caption = "点", .place = {1200, 720, 0, 375}},
    {.id = kMinute, .kind = ControlKind::TextBox, .place = {1560, 720, 300, 375}, .tabIndex = 2,
     .inputMethodOff = true},
    {.id = "minuteLabel", .caption = "分", .place = {1920, 720, 0, 375}},
    {.id = kCountdown, .kind = ControlKind::Option, .caption = "计时", .place = {120, 1320, 0, 375}, .tabIndex = 3},
    {.id = kMinutes, .kind = ControlKind::TextBox, .place = {840, 1320, 420, 375}, .tabIndex = 4,
     .inputMethodOff = true},
    {.id = "minutesLabel", .caption = "分", .place = {1320, 1320, 0, 375}},
    {.id = kStart, .kind = ControlKind::Button, .caption = kStartCaption, .place = {1680, 1320, 495, 375},
     .tabIndex = 5},
    {.id = kActionFrame, .kind = ControlKind::Frame, .place = {2280, 0, 1695, 1695}, .framed = true},
    {.id = kActionOptions[0], .kind = ControlKind::Option, .caption = "闹钟", .place = {120, 240, 0, 375},
     .tabIndex = 6, .selected = true, .parent = kActionFrame},
    {.id = kActionOptions[1], .kind = ControlKind::Option, .caption = "关机", .place = {840, 240, 0, 375},
     .tabIndex = 7, .parent = kActionFrame},
    {.id = kActionOptions[3], .kind = ControlKind::Option, .caption = "注销", .place = {120, 600, 0, 375},
     .tabIndex = 8, .parent = kActionFrame},
    {.id = kActionOptions[2], .kind = ControlKind::Option, .caption = "重启", .place = {840, 600, 0, 375},
     .tabIndex = 9, .parent = kActionFrame},
    {.id = kActionOptions[4], .kind = ControlKind::Option, .caption = "执行程序", .place = {120, 960, 0, 375},
     .tabIndex = 10, .parent = kActionFrame},
    {.id = kProgram, .kind = ControlKind::TextBox, .place = {120, 1320, 1455, 270}, .tabIndex = 11,
     .parent = kActionFrame},
};

inline constexpr FormSpec kForm{.id = "timerPanel", .controls = kControls};

}  // namespace timer_panel_form
