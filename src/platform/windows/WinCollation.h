#pragma once

#include "core/services/Collation.h"

// The order of the Chinese (PRC) locale of Windows, letter case ignored.
class WinCollation final : public Collation {
public:
    int compare(std::string_view a, std::string_view b) const override;
    std::vector<std::string> sortKeys(const std::vector<std::string>& texts) const override;
};
