#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Type-to-find in the list, as Explorer's: letters typed less than a second
// apart make one prefix, and the entry to select is the next whose name
// begins with it, Han characters by their pinyin initials. A first letter
// looks past the selected entry; more letters look from it, so that "j",
// "js", "jsb" stay on 记事本. One letter typed again and again, which no
// name begins with, steps through the names that begin with it once.
class TypeToFind {
public:
    std::optional<std::size_t> letterTyped(char letter, std::chrono::milliseconds now,
                                           const std::vector<std::string>& entries, std::optional<std::size_t> selected);

private:
    std::string typed_;
    std::chrono::milliseconds last_{};
};
