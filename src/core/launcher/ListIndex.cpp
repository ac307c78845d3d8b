#include "ListIndex.h"

#include "core/profile/Profile.h"
#include "core/window/LeadingNumber.h"

#include <algorithm>
#include <cmath>

std::string listKey(std::size_t position)
{
    std::string key = std::to_string(position);
    if (key.size() < 3)
        key.insert(0, 3 - key.size(), '0');
    return key;
}

std::size_t listCount(std::string_view countText)
{
    // Entries are read for i = 0, 1, ... while i <= v - 1, which is floor(v)
    // entries. The count is a 16-bit number; a larger one in a damaged file
    // must not make the load run (nearly) for ever.
    constexpr double kMaxCount = 32767;
    const double v = leadingNumber(countText);
    if (!(v > 0))
        return 0;
    return static_cast<std::size_t>(std::floor(std::min(v, kMaxCount)));
}

std::vector<std::string> readListIndex(const ProfileSnapshot& profile)
{
    const std::size_t count = listCount(profile.readProfileValue(kTitleSection, kCountKey));
    std::vector<std::string> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        entries.push_back(profile.readProfileValue(kTitleSection, listKey(i)));
    return entries;
}
