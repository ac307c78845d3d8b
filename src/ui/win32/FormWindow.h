#pragma once

#include "Controls.h"
#include "Window.h"

#include <optional>
#include <string_view>

// A window that holds a form's controls: it answers their colour requests,
// paints its own back colour, and hands each control's notification to
// command() by the control's identity.
class FormWindow : public Window {
protected:
    // A top-level window without a caption bar, at the form's size, centred on
    // the screen, or a child window of parent at place.
    bool createTopLevel(const FormSpec& form, const Scale& scale, DWORD exStyle = 0);
    bool createChild(HWND parent, const RECT& place, std::optional<Rgb> backColour);

    virtual void command(std::string_view id, int notification) { (void)id, (void)notification; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

    Controls controls_;
    Scale scale_;

private:
    std::optional<Rgb> backColour_;
    HBRUSH backBrush_ = nullptr;

public:
    ~FormWindow() override;
};
