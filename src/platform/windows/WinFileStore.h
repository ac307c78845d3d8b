#pragma once

#include "core/services/FileStore.h"

// Whole files through the wide Windows file functions, so that paths in any
// script work whatever the ANSI code page.
class WinFileStore final : public FileStore {
public:
    FileBytes read(const std::string& path) const override;
    Result replace(const std::string& path, std::string_view bytes) override;
};
