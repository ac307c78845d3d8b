#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The description of a window or panel as plain data: each control's kind,
// identity, caption, place in twips, font, colours and keyboard order, as a
// form designer keeps them. Every front end builds its controls from these
// tables, so a caption or a place is written once.

enum class ControlKind {
    Label,
    Button,
    TextBox,
    Option,   // a radio button; the options of one container form one group
    Frame,    // a container: a plain box, or a group box when it has a caption
    List,
    Picture,  // a picture box or image, drawn by the front end
};

// The faces the windows ask for; each front end maps them to installed fonts.
enum class FontFace {
    YaHei,    // 微软雅黑, the face of controls and captions
    YouYuan,  // 幼圆, the rounded face of status lines and notices
};

struct FontSpec {
    FontFace face = FontFace::YaHei;
    double points = 9;
    bool bold = false;
};

enum class Alignment { Left, Centre, Right };

// Red, green and blue, 0xRRGGBB.
using Rgb = std::uint32_t;

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;   // 0: as wide as its caption
    int height = 0;  // 0: as high as its caption
};

struct ControlSpec {
    std::string_view id;  // the control's identity inside its form
    ControlKind kind = ControlKind::Label;
    std::string_view caption;
    TwipRect place;
    FontSpec font;
    std::optional<Rgb> textColour;
    std::optional<Rgb> backColour;
    Alignment alignment = Alignment::Left;
    bool transparent = false;    // a label drawn without its own background
    int tabIndex = -1;           // its place in the keyboard order; -1: no tab stop
    char passwordChar = 0;       // a text box that shows this in place of each character
    bool inputMethodOff = false; // a text box that takes no input-method composition
    bool readOnly = false;
    bool defaultButton = false;  // pressed by Enter
    bool cancelButton = false;   // pressed by Esc
    bool selected = false;       // an option chosen when the form is made
    bool framed = false;         // a frame drawn as a group box
    std::string_view parent;     // the container it sits in; empty: the form itself
};

struct FormSpec {
    std::string_view id;
    std::string_view caption;  // the window's title, as the task bar and the window manager show it
    int widthTwips = 0;
    int heightTwips = 0;
    std::optional<Rgb> backColour;
    std::span<const ControlSpec> controls;

    // The control with this identity; nullptr when there is none.
    constexpr const ControlSpec* find(std::string_view controlId) const
    {
        for (const ControlSpec& control : controls)
            if (control.id == controlId)
                return &control;
        return nullptr;
    }
};

struct MenuSpec;

struct MenuItemSpec {
    std::string_view id;  // what choosing the item reports; empty for a separator
    std::string_view caption;
    const MenuSpec* submenu = nullptr;
    bool separator = false;
};

struct MenuSpec {
    std::string_view id;
    std::string_view caption;
    std::span<const MenuItemSpec> items;
};
