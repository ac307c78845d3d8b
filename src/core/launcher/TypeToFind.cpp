#include "TypeToFind.h"

#include "ItemText.h"
#include "core/search/PinyinMatch.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::chrono::milliseconds kPause{1000};

// The first entry from `from` on, going round, whose name begins with typed.
std::optional<std::size_t> nextBeginning(const std::vector<std::string>& entries, std::size_t from,
                                         std::string_view typed)
{
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::size_t i = (from + k) % entries.size();
        std::string_view name = entries[i];
        if (name.substr(0, kItemMarker.size()) == kItemMarker)
            name.remove_prefix(kItemMarker.size());
        if (initialsBeginWith(name, typed))
            return i;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> TypeToFind::letterTyped(char letter, std::chrono::milliseconds now,
                                                   const std::vector<std::string>& entries,
                                                   std::optional<std::size_t> selected)
{
    if (now - last_ >= kPause || now < last_)
        typed_.clear();
    last_ = now;
    typed_ += letter;
    if (entries.empty())
        return std::nullopt;
    const bool chosen = selected && *selected < entries.size();
    const std::size_t here = chosen ? *selected : 0;
    const std::size_t after = chosen ? (here + 1) % entries.size() : 0;
    if (typed_.size() == 1)
        return nextBeginning(entries, after, typed_);
    if (const auto found = nextBeginning(entries, here, typed_))
        return found;
    if (std::all_of(typed_.begin(), typed_.end(), [&](char c) { return c == typed_.front(); }))
        return nextBeginning(entries, after, typed_.substr(0, 1));
    return std::nullopt;
}
