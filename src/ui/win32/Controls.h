#pragma once

#include "core/form/FormDescription.h"

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

// Twips to pixels at a window's DPI: 1440 twips an inch.
struct Scale {
    int dpi = 96;
    int px(int twips) const { return MulDiv(twips, dpi, 1440); }
    // The scale of a screen with this many twips to a pixel.
    static Scale ofTwipsPerPixel(double twipsPerPixel) { return Scale{int(1440.0 / twipsPerPixel + 0.5)}; }
};

// The controls of a form made as Win32 child windows of one parent. A
// control that sits in a frame is made beside it, at the frame's place plus
// its own, since a group box passes no notifications on. Each control gets a
// command identifier, so WM_COMMAND names it.
class Controls {
public:
    Controls() = default;
    ~Controls();
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    // Makes the form's controls in table order, the keyboard order following
    // the tab index, in fonts for the DPI. firstId: the command identifier
    // of the first control; the next ones follow.
    void build(const FormSpec& form, HWND parent, const Scale& scale, int firstId, POINT origin = {0, 0});
    // Puts every control at its place for a new DPI, in fonts made for it.
    void rescale(const Scale& scale, POINT origin = {0, 0});

    HWND operator[](std::string_view id) const;
    // The identity of the control with this command identifier; empty if none.
    std::string_view idOf(int commandId) const;
    // Answers WM_CTLCOLOR* for the controls that have colours of their own;
    // false for any other control.
    bool colour(HWND control, HDC dc, LRESULT& brush);

    // The option just chosen becomes its group's keyboard stop.
    void optionChosen(HWND option);

    void setText(std::string_view id, std::string_view utf8);
    // A control sized to its caption takes the size of the text it shows now.
    void fitToText(std::string_view id, const Scale& scale, POINT origin = {0, 0});
    std::string text(std::string_view id) const;

private:
    struct Made {
        const ControlSpec* spec;
        HWND hwnd;
        int commandId;
    };
    RECT placeOf(const ControlSpec& spec, const Scale& scale, POINT origin) const;
    HFONT fontFor(const FontSpec& font, int dpi);
    HBRUSH brushFor(Rgb colour);

    const FormSpec* form_ = nullptr;
    HWND parent_ = nullptr;
    std::vector<Made> made_;
    std::map<std::pair<std::wstring, int>, HFONT> fonts_;  // by face and height in pixels
    std::map<Rgb, HBRUSH> brushes_;
};

// COLORREF of 0xRRGGBB.
inline COLORREF colourRef(Rgb rgb)
{
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// The installed face for a described one: 微软雅黑 and 幼圆, else the nearest
// installed Chinese face.
std::wstring installedFace(FontFace face);

// Owner-drawn labels: a label made to draw itself through its parent's
// WM_DRAWITEM, a vertical gradient, and the label's caption in its font.
void drawnByParent(HWND label);
void paintGradient(HDC dc, const RECT& r, Rgb top, Rgb bottom);
// A rectangle filled with one colour, and a one-pixel edge around one.
void paintFill(HDC dc, const RECT& r, Rgb colour);
void paintEdge(HDC dc, const RECT& r, Rgb colour);
void paintCaption(const DRAWITEMSTRUCT& item, Rgb colour, RECT inside, UINT format);
