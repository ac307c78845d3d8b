#pragma once

#include "LockRules.h"
#include "core/form/FormDescription.h"
#include "core/window/Twips.h"

// The lock screen: a dark grey window over every screen, at alpha 150, with
// the flashing banner, the password entry in blue with dark red stars, the
// message of the password check and the two unlock pictures. Its controls
// are placed at load from the size of the screen (lockScreenLayout).
namespace lock_screen_form {

inline constexpr std::string_view kBanner = "banner";
inline constexpr std::string_view kEntry = "entry";
inline constexpr std::string_view kMessage = "message";
inline constexpr std::string_view kRestPicture = "restPicture";
inline constexpr std::string_view kHighlightedPicture = "highlightedPicture";

inline constexpr Rgb kDarkRed = 0xC00000;
inline constexpr int kEntryWidthTwips = 3360;
inline constexpr int kEntryHeightTwips = 405;
inline constexpr int kPictureWidth = 140;  // pixels: the pictures are drawn at this size
inline constexpr int kPictureHeight = 40;

inline constexpr ControlSpec kControls[] = {
    {.id = kBanner, .caption = "正在挂机★不要乱动", .font = {.face = FontFace::YouYuan, .points = 72, .bold = true},
     .textColour = kDarkRed, .transparent = true},
    {.id = kEntry, .kind = ControlKind::TextBox, .place = {0, 0, kEntryWidthTwips, kEntryHeightTwips},
     .font = {.points = 14.25}, .textColour = kDarkRed, .backColour = 0x0000FF, .tabIndex = 0, .passwordChar = '*',
     .inputMethodOff = true},
    {.id = kMessage, .font = {.points = 15.75, .bold = true}, .textColour = kDarkRed, .transparent = true},
    {.id = kRestPicture, .kind = ControlKind::Picture},
    {.id = kHighlightedPicture, .kind = ControlKind::Picture},
};

inline constexpr FormSpec kForm{.id = "lockWindow", .caption = "正在挂机", .backColour = 0x404040, .controls = kControls};

// Where the controls go on a screen (in the window's pixels): the entry in
// the middle, 600 twips above the centre; the message 800 twips above the
// entry, centred on its own width; the pictures 1000 twips below the entry;
// the banner 1440 twips from the top, centred.
struct Layout {
    PixelRect entry;
    int messageTop = 0;
    PixelRect picture;
    int bannerTop = 0;
};

inline Layout layout(const PixelRect& screen, const Twips& twips)
{
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    const int entryWidth = twips.toPixels(kEntryWidthTwips);
    const int entryHeight = twips.toPixels(kEntryHeightTwips);
    const int entryLeft = screen.left + (width - entryWidth) / 2;
    const int entryTop = screen.top + (height - entryHeight) / 2 - twips.toPixels(600);
    const int pictureLeft = screen.left + (width - kPictureWidth) / 2;
    const int pictureTop = entryTop + twips.toPixels(1000);
    return {{entryLeft, entryTop, entryLeft + entryWidth, entryTop + entryHeight},
            entryTop - twips.toPixels(800),
            {pictureLeft, pictureTop, pictureLeft + kPictureWidth, pictureTop + kPictureHeight},
            screen.top + twips.toPixels(1440)};
}

// The left of a control of the given width centred on the screen.
inline int centredLeft(const PixelRect& screen, int controlWidth)
{
    return screen.left + (screen.right - screen.left - controlWidth) / 2;
}

}  // namespace lock_screen_form
