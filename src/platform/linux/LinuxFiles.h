#pragma once

#include "core/services/Files.h"

class LinuxFiles final : public Files {
public:
    // Symbolic links count as what they point at; names starting with "."
    // are hidden.
    std::string fileNameOf(const std::string& path) const override;
    char separator() const override { return '/'; }
};
