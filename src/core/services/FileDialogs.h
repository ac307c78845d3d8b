#pragma once

#include <optional>
#include <string>

// The open-file dialog, shown over the program's active window.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Asks for a program or document, offering programs first and then all
    // files. The full path chosen, or nothing when the user cancelled.
    virtual std::optional<std::string> chooseProgram() = 0;
};
