#pragma once

#include <string>

// Modal message boxes over the program's active window.
class MessageBoxes {
public:
    enum class Icon { None, Exclamation };
    enum class Buttons { Ok, OkCancel };

    struct Box {
        std::string title;
        std::string text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        int defaultButton = 0;  // 0 for the first button, 1 for the second

        bool operator==(const Box&) const = default;
    };

    virtual ~MessageBoxes() = default;

    // Shows the box until it is dismissed; true when OK was chosen.
    virtual bool show(const Box& box) = 0;

    // A notice: one OK button and no icon.
    void inform(const std::string& title, const std::string& text) { show({title, text}); }
    // A question: OK and Cancel with the exclamation icon, Cancel being the
    // default. True when OK was chosen.
    bool confirm(const std::string& title, const std::string& text)
    {
        return show({title, text, Icon::Exclamation, Buttons::OkCancel, 1});
    }
};
