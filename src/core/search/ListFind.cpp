#include "ListFind.h"

#include "PinyinMatch.h"

#include <algorithm>

std::optional<std::size_t> findNextEntry(const std::vector<std::string>& entries, const std::string& query,
                                         short& findStart)
{
    PinyinMatcher matcher(query);
    for (std::size_t i = std::size_t(std::max<short>(findStart, 0)); i < entries.size(); ++i) {
        if (matcher.occursIn(entries[i])) {
            findStart = short(i + 1);
            return i;
        }
    }
    findStart = 0;
    return std::nullopt;
}
