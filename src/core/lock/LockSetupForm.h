#pragma once

#include "core/form/FormDescription.h"

// The lock password set-up: a grey window without a caption bar, dragged by
// its title and body strips, asking for the password twice. Neither button
// is the default; the boxes show stars with the input method off.
namespace lock_setup_form {

inline constexpr int kWidthTwips = 3915;
inline constexpr int kHeightTwips = 2580;

inline constexpr std::string_view kBody = "body";
inline constexpr std::string_view kTitle = "title";
inline constexpr std::string_view kCancel = "cancelButton";
inline constexpr std::string_view kOk = "okButton";
inline constexpr std::string_view kRepeat = "repeatBox";
inline constexpr std::string_view kPassword = "passwordBox";

inline constexpr Rgb kStripGrey = 0xC0C0C0;
inline constexpr Rgb kBoxGrey = 0xE0E0E0;

// In the keyboard order: 取消, 确定, the repeated password, the password.
inline constexpr ControlSpec kControls[] = {
    {.id = kBody, .kind = ControlKind::Picture, .place = {50, 450, kWidthTwips - 100, kHeightTwips - 500},
     .backColour = kStripGrey},
    {.id = kTitle, .caption = "★锁屏设置★", .place = {50, 50, kWidthTwips - 100, 350}, .font = {.points = 12},
     .backColour = kStripGrey, .alignment = Alignment::Centre},
    {.id = "passwordLabel", .caption = "解锁密码", .place = {240, 600, 1095, 375}, .font = {.points = 10.5},
     .transparent = true},
    {.id = "repeatLabel", .caption = "重复密码", .place = {240, 1080, 1095, 375}, .font = {.points = 10.5},
     .transparent = true},
    {.id = kCancel, .kind = ControlKind::Button, .caption = "取消", .place = {1560, 1800, 855, 375},
     .font = {.points = 12}, .tabIndex = 0},
    {.id = kOk, .kind = ControlKind::Button, .caption = "确定", .place = {2640, 1800, 975, 375},
     .font = {.points = 12}, .tabIndex = 1},
    {.id = kRepeat, .kind = ControlKind::TextBox, .place = {1200, 1080, 2415, 375}, .backColour = kBoxGrey,
     .tabIndex = 2, .passwordChar = '*', .inputMethodOff = true},
    {.id = kPassword, .kind = ControlKind::TextBox, .place = {1200, 600, 2415, 375}, .backColour = kBoxGrey,
     .tabIndex = 3, .passwordChar = '*', .inputMethodOff = true},
};

inline constexpr FormSpec kForm{.id = "lockSetupWindow",
                                .caption = "锁屏设置",
                                .widthTwips = kWidthTwips,
                                .heightTwips = kHeightTwips,
                                .backColour = 0x808080,
                                .controls = kControls};

}  // namespace lock_setup_form
