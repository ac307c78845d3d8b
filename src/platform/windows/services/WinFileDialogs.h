#pragma once

#include "core/services/FileDialogs.h"

// The common open-file dialog of Windows, owned by the program's active
// window so that it stays above it and keeps it from input while open.
class WinFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> chooseProgram() override;
};
