#pragma once

#include <QString>

#include <optional>

class QWidget;

// The open-file dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Asks for a program or document, offering programs first and then all
    // files. The full path chosen, or nothing when the user cancelled.
    virtual std::optional<QString> chooseProgram(QWidget* parent) = 0;
};
