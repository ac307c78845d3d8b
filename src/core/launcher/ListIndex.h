#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class ProfileSnapshot;

// The list index lives in section "标题": "Count" entries under the keys
// "000", "001", ... A missing key gives an empty entry.
inline const std::string kTitleSection = "标题";
inline const std::string kCountKey = "Count";

// Key of list position i: decimal, zero-padded to at least three digits.
std::string listKey(std::size_t position);

// The number of entries that "Count" asks for: its leading number, no fewer
// than 0 and no more than a 16-bit count can hold.
std::size_t listCount(std::string_view countText);

std::vector<std::string> readListIndex(const ProfileSnapshot& profile);
