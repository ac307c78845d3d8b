#pragma once

#include <string>

// Modal message boxes over the program's active window. Notices have an OK
// button only; questions have OK and Cancel, Cancel being the default.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void inform(const std::string& title, const std::string& text) = 0;
    virtual bool confirm(const std::string& title, const std::string& text) = 0;
};
