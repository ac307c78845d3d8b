#pragma once

#include <string>
#include <string_view>
#include <vector>

// The order of a Chinese list box: Latin and every other script before Han,
// Han by pinyin, letter case ignored. Texts are UTF-8.
class Collation {
public:
    virtual ~Collation() = default;
    // Negative, zero or positive as a sorts before, with or after b.
    virtual int compare(std::string_view a, std::string_view b) const = 0;
    // One key per text. Keys made by one call, compared byte by byte as
    // unsigned, order their texts as compare() does.
    virtual std::vector<std::string> sortKeys(const std::vector<std::string>& texts) const = 0;
};
