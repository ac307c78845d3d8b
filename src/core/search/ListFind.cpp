#include "ListFind.h"

#include "PinyinMatch.h"

std::optional<std::size_t> findNextEntry(const std::vector<std::string>& entries, const std::string& query,
                                         std::size_t& findStart)
{
    PinyinMatcher matcher(query);
    for (std::size_t i = findStart; i < entries.size(); ++i) {
        if (matcher.occursIn(entries[i])) {
            findStart = i + 1;
            return i;
        }
    }
    findStart = 0;
    return std::nullopt;
}
