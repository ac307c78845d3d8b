#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Finds the next entry, from findStart on, whose text holds query (letter
// case counts; an empty query is in every text), or spells it in pinyin
// where the text has Han characters (PinyinMatch.h). A find moves findStart past
// the entry found; a find that reaches the end sets it back to 0 and finds
// nothing, so the next one starts again from the top.
std::optional<std::size_t> findNextEntry(const std::vector<std::string>& entries, const std::string& query,
                                         std::size_t& findStart);
