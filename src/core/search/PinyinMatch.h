#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Finds a query in a text whose Han characters may be spelled in pinyin:
// each Han character stands for itself, or for one of its readings whole,
// by its first letter, or by "zh", "ch" or "sh" where the reading starts so.
// Letters spelling a reading match in either case, and "u" matches "ü"
// ("v"); every other character compares exactly, code unit by code unit.
// So "jsb", "jishiben", "JiShiBen", "jishib" and "记shiben" all occur in
// "记事本", while "qq" does not occur in "QQ".
class PinyinMatcher {
public:
    explicit PinyinMatcher(std::string_view query);

    bool occursIn(std::string_view text);

private:
    bool spelledIn(std::string_view text);

    std::string query_;
    bool spells_ = false;  // the query has a letter that a reading could match
    // The query's places reached by matches under way, one bit each: before
    // and after the text's next character. Kept to spare allocations.
    std::vector<std::uint64_t> reached_, next_;
};

// Whether text begins with typed, its Han characters matched by the first
// letters of their readings and its letters in either case: "jsb" and "JS"
// begin "记事本", "no" begins "Notepad".
bool initialsBeginWith(std::string_view text, std::string_view typed);
