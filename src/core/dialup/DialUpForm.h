#pragma once

#include "core/form/FormDescription.h"

// The dial-up dialog: a grey window without a caption bar, dragged by its
// title and body strips. Neither button is the default or the cancel one,
// and the password shows as stars with the input method off.
namespace dial_up_form {

inline constexpr int kWidthTwips = 5565;
inline constexpr int kHeightTwips = 3975;

inline constexpr std::string_view kBody = "body";
inline constexpr std::string_view kTitle = "title";
inline constexpr std::string_view kName = "nameBox";
inline constexpr std::string_view kAccount = "accountBox";
inline constexpr std::string_view kPassword = "passwordBox";
inline constexpr std::string_view kCancel = "cancelButton";
inline constexpr std::string_view kDisconnect = "disconnectButton";
inline constexpr std::string_view kConnect = "connectButton";
inline constexpr std::string_view kStatus = "status";

inline constexpr Rgb kStripGrey = 0xC0C0C0;
inline constexpr Rgb kBoxGrey = 0xE0E0E0;
inline constexpr FontSpec kCaptionFont{.points = 10.5};
inline constexpr FontSpec kButtonFont{.points = 12};

constexpr TwipRect boxPlace(int top) { return {1800, top, 2895, 375}; }
constexpr TwipRect captionPlace(int top) { return {840, top, 1095, 375}; }
constexpr TwipRect buttonPlace(int left) { return {left, 2520, 975, 375}; }

// In the keyboard order: name, account, password, then 取消, 断开, 连接.
inline constexpr ControlSpec kControls[] = {
    {.id = kBody, .kind = ControlKind::Picture, .place = {50, 450, kWidthTwips - 100, kHeightTwips - 500},
     .backColour = kStripGrey},
    {.id = kTitle, .caption = "★宽带连接★", .place = {50, 50, kWidthTwips - 100, 350}, .font = {.points = 12},
     .backColour = kStripGrey, .alignment = Alignment::Centre},
    {.id = kName, .kind = ControlKind::TextBox, .place = boxPlace(960), .font = kCaptionFont,
     .backColour = kBoxGrey, .tabIndex = 0},
    {.id = "nameLabel", .caption = "连接名称:", .place = captionPlace(960), .font = kCaptionFont,
     .transparent = true},
    {.id = kAccount, .kind = ControlKind::TextBox, .place = boxPlace(1440), .font = kCaptionFont,
     .backColour = kBoxGrey, .tabIndex = 1},
    {.id = kPassword, .kind = ControlKind::TextBox, .place = boxPlace(1920), .font = kCaptionFont,
     .backColour = kBoxGrey, .tabIndex = 2, .passwordChar = '*', .inputMethodOff = true},
    {.id = "accountLabel", .caption = "宽带帐号:", .place = captionPlace(1440), .font = kCaptionFont,
     .transparent = true},
    {.id = "passwordLabel", .caption = "宽带密码:", .place = captionPlace(1920), .font = kCaptionFont,
     .transparent = true},
    {.id = kCancel, .kind = ControlKind::Button, .caption = "取消", .place = buttonPlace(3720), .font = kButtonFont,
     .tabIndex = 3},
    {.id = kDisconnect, .kind = ControlKind::Button, .caption = "断开", .place = buttonPlace(2280),
     .font = kButtonFont, .tabIndex = 4},
    {.id = kConnect, .kind = ControlKind::Button, .caption = "连接", .place = buttonPlace(840), .font = kButtonFont,
     .tabIndex = 5},
    {.id = kStatus, .place = {840, 3120, 3855, 375}, .font = kButtonFont, .backColour = kStripGrey,
     .alignment = Alignment::Centre},
};

inline constexpr FormSpec kForm{.id = "dialUpDialog",
                                .caption = "宽带连接",
                                .widthTwips = kWidthTwips,
                                .heightTwips = kHeightTwips,
                                .backColour = 0x808080,
                                .controls = kControls};

}  // namespace dial_up_form
