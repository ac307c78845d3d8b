#pragma once

#include "Controls.h"
#include "Window.h"

#include <optional>
#include <string_view>

// A window that holds a form's controls: it answers their colour requests,
// paints its own back colour, and hands each control's notification to
// command() by the control's identity.
class FormWindow : public Window {
public:
    // Puts the controls at their places for a new DPI, in fonts made for it.
    virtual void rescale(const Scale& scale)
    {
        scale_ = scale;
        controls_.rescale(scale);
    }

protected:
    // A top-level window without a caption bar, at the form's size, centred on
    // the screen, or a child window of parent at place.
    bool createTopLevel(const FormSpec& form, const Scale& scale, DWORD exStyle = 0);
    // edge: the colour of a one-pixel line around it.
    // A top-level window without a caption bar at place (left, top, width,
    // height), in the form's back colour.
    bool createPopup(const FormSpec& form, DWORD exStyle, const RECT& place);
    bool createChild(HWND parent, const RECT& place, std::optional<Rgb> backColour,
                     std::optional<Rgb> edge = std::nullopt);

    // The brush of the window's back colour (one must be set).
    HBRUSH backBrush();

    virtual void command(std::string_view id, int notification) { (void)id, (void)notification; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

    Controls controls_;
    Scale scale_;

private:
    std::optional<Rgb> backColour_;
    std::optional<Rgb> edge_;
    HBRUSH backBrush_ = nullptr;

public:
    ~FormWindow() override;
};
