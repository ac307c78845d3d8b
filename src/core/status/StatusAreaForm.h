#pragma once

#include "core/form/FormDescription.h"

// The status lines in the viewport, beneath the panels: each sizes itself
// to its text.
namespace status_area_form {

inline constexpr std::string_view kDateLine = "dateLine";
inline constexpr std::string_view kAddress = "addressLine";
inline constexpr std::string_view kUpTime = "upTimeLine";

inline constexpr FontSpec kFont{.face = FontFace::YouYuan, .points = 12};

inline constexpr ControlSpec kControls[] = {
    {.id = kDateLine, .caption = "时钟", .place = {60, 120}, .font = kFont, .textColour = 0x0000FF},
    {.id = kAddress, .caption = "IP地址", .place = {180, 480}, .font = kFont, .textColour = 0x0000FF},
    {.id = kUpTime, .caption = "运行时间", .place = {180, 840}, .font = kFont, .textColour = 0x0000FF},
};

inline constexpr FormSpec kForm{.id = "statusArea", .controls = kControls};

}  // namespace status_area_form
