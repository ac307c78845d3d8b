#pragma once

#include "core/form/FormDescription.h"

// The due-time notice: a grey window without a caption bar, dragged by its
// title and body strips, with the message and, for a power action or a
// run, 立刻执行 and 取消, for the alarm 停止响铃 in their place.
namespace due_notice_form {

inline constexpr int kWidthTwips = 3915;
inline constexpr int kHeightTwips = 2745;
inline constexpr Rgb kGrey = 0x808080;
// The title strip's gradient with white text, and the body with its edge.
inline constexpr Rgb kTitleTop = 0x3A6FB5;
inline constexpr Rgb kTitleBottom = 0x1D4F91;
inline constexpr Rgb kTitleText = 0xFFFFFF;
inline constexpr Rgb kBodyColour = 0xD9E4F2;
inline constexpr Rgb kBodyEdge = 0x6F93C4;

inline constexpr std::string_view kBody = "body";
inline constexpr std::string_view kTitle = "title";
inline constexpr std::string_view kMessage = "message";
inline constexpr std::string_view kExecute = "executeButton";
inline constexpr std::string_view kStopRing = "stopRingButton";
inline constexpr std::string_view kCancel = "cancelButton";

inline constexpr ControlSpec kControls[] = {
    {.id = kBody, .kind = ControlKind::Picture, .place = {50, 450, kWidthTwips - 100, kHeightTwips - 500}},
    {.id = kTitle, .caption = "★定时提示★", .place = {50, 50, kWidthTwips - 100, 350},
     .font = {.points = 10.5, .bold = true}, .alignment = Alignment::Centre},
    {.id = kMessage, .caption = "时间到!!", .place = {480, 840, 2880, 720},
     .font = {.face = FontFace::YouYuan, .points = 36}, .alignment = Alignment::Centre},
    {.id = kExecute, .kind = ControlKind::Button, .caption = "立刻执行", .place = {480, 1800, 1215, 375},
     .font = {.points = 10.5}, .tabIndex = 0},
    {.id = kStopRing, .kind = ControlKind::Button, .caption = "停止响铃", .place = {1200, 1800, 1335, 375},
     .font = {.points = 10.5}, .tabIndex = 1},
    {.id = kCancel, .kind = ControlKind::Button, .caption = "取消", .place = {2160, 1800, 1215, 375},
     .font = {.points = 10.5}, .tabIndex = 2},
};

inline constexpr FormSpec kForm{.id = "dueNotice",
                                .caption = "定时提示",
                                .widthTwips = kWidthTwips,
                                .heightTwips = kHeightTwips,
                                .backColour = kGrey,
                                .controls = kControls};

}  // namespace due_notice_form
