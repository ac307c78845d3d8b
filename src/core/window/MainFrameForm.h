#pragma once

#include "core/form/FormDescription.h"
#include "core/launcher/LauncherForm.h"

// The main window's frame: a window without a caption bar, 4575 × 6630
// twips, whose title strip and background picture drag it, with 隐藏 and 退出
// under the list's buttons, the star that opens the options menu, and the
// viewport in which the four panels slide over the status lines.
namespace main_frame_form {

inline constexpr int kViewportLeft = 240;
inline constexpr int kViewportTop = 4560;
inline constexpr int kViewportWidth = 4095;
inline constexpr int kViewportHeight = 1860;
inline constexpr int kWidthTwips = 2 * kViewportLeft + kViewportWidth;
inline constexpr int kHeightTwips = 6630;
inline constexpr int kRolledUpTwips = 460;  // only the title strip shows
inline constexpr int kPanelHeight = 1875;

inline constexpr std::string_view kBackground = "background";
inline constexpr std::string_view kTitleStrip = "titleStrip";
inline constexpr std::string_view kHide = "hideButton";
inline constexpr std::string_view kExit = "exitButton";
inline constexpr std::string_view kStar = "star";
inline constexpr std::string_view kViewport = "panelViewport";

// The frame's own colours: the border around the body, the title strip's
// gradient with its white text, and the star's gold.
inline constexpr Rgb kFrameColour = 0x1D3F6E;
inline constexpr Rgb kTitleTop = 0x3B78C4;
inline constexpr Rgb kTitleBottom = 0x23579C;
inline constexpr Rgb kTitleText = 0xFFFFFF;
inline constexpr Rgb kStarColour = 0xD08A00;
// The viewport, a pale pane over the background, and the panels sliding in
// it, each with a thin blue edge.
inline constexpr Rgb kViewportColour = 0xF7FAFD;
inline constexpr Rgb kPanelColour = 0xEEF4FB;
inline constexpr Rgb kPaneEdge = 0x8FB0DA;

inline constexpr std::string_view kStarCaption = "☆";
inline constexpr std::string_view kLitStarCaption = "★";

inline constexpr ControlSpec kControls[] = {
    {.id = kBackground, .kind = ControlKind::Picture, .place = {50, 450, kWidthTwips - 110, kHeightTwips - 520}},
    {.id = kTitleStrip, .place = {50, 50, kWidthTwips - 110, 350}, .font = {.points = 10.5, .bold = true}},
    {.id = kHide, .kind = ControlKind::Button, .caption = "隐藏", .place = launcher_form::buttonPlace(4), .tabIndex = 5},
    {.id = kExit, .kind = ControlKind::Button, .caption = "退出", .place = launcher_form::buttonPlace(5), .tabIndex = 6},
    {.id = kStar, .caption = kStarCaption, .place = {3530, 4080, 360, 360}, .font = {.points = 14, .bold = true},
     .alignment = Alignment::Centre},
    {.id = kViewport, .kind = ControlKind::Frame, .place = {kViewportLeft, kViewportTop, kViewportWidth, kViewportHeight}},
};

inline constexpr FormSpec kForm{
    .id = "mainWindow", .widthTwips = kWidthTwips, .heightTwips = kHeightTwips, .controls = kControls};

}  // namespace main_frame_form
