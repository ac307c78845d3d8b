#pragma once

#include "core/services/FileStore.h"

// Whole files through the wide Windows file functions, so that paths in any
// script work whatever the ANSI code page.
class WinFileStore final : public FileStore {
public:
    FileBytes read(const std::string& path) const override;
    Result replace(const std::string& path, std::string_view bytes) override;
    // Removes "<name>.xxxxxx" files beside path, six letters a-z or digits
    // as replace() names its temporary files; nothing else.
    void removeLeftovers(const std::string& path) override;
};
