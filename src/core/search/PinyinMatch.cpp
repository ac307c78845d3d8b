#include "PinyinMatch.h"

#include "core/text/Pinyin.h"
#include "core/text/Utf8.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool isLetter(char c) { return lower(c) >= 'a' && lower(c) <= 'z'; }

// A typed letter against a letter of a reading: "u" stands for "ü" too.
bool letterMatches(char typed, char reading)
{
    const char c = lower(typed);
    return c == reading || (reading == 'v' && c == 'u');
}

// Whether typed, from at, begins with the first length letters of reading.
bool spellsAt(std::string_view typed, std::size_t at, std::string_view reading, std::size_t length)
{
    if (at + length > typed.size())
        return false;
    for (std::size_t k = 0; k < length; ++k)
        if (!letterMatches(typed[at + k], reading[k]))
            return false;
    return true;
}

bool isDoubleInitial(std::string_view reading)
{
    return reading.size() > 2 && reading[1] == 'h' && (reading[0] == 'z' || reading[0] == 'c' || reading[0] == 's');
}

}  // namespace

PinyinMatcher::PinyinMatcher(std::string_view query)
    : query_(query), spells_(std::any_of(query.begin(), query.end(), isLetter))
{
}

bool PinyinMatcher::occursIn(std::string_view text)
{
    if (text.find(query_) != std::string_view::npos)
        return true;
    return spells_ && !utf8::isAscii(text) && spelledIn(text);
}

// Runs the query over the text as a set of places in the query, one bit
// each: at each character of the text a match may begin (place 0), and
// every place reached moves on by each way the character can be matched.
// The query is found when its end is reached. This takes one pass, however
// many ways a polyphone offers.
bool PinyinMatcher::spelledIn(std::string_view text)
{
    const std::size_t end = query_.size();
    const std::size_t words = end / 64 + 1;
    reached_.assign(words, 0);
    next_.assign(words, 0);
    const auto reach = [this](std::size_t at) { next_[at / 64] |= std::uint64_t(1) << (at % 64); };
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, length] = utf8::characterAt(text, i);
        const std::string_view unit = text.substr(i, length);
        const std::span<const std::uint16_t> readings = pinyin::readingsOf(c);
        reached_[0] |= 1;
        std::fill(next_.begin(), next_.end(), 0);
        for (std::size_t word = 0; word < words; ++word) {
            for (std::uint64_t bits = reached_[word]; bits; bits &= bits - 1) {
                const std::size_t at = word * 64 + std::size_t(std::countr_zero(bits));
                if (at == end)
                    continue;
                if (query_.compare(at, length, unit) == 0)
                    reach(at + length);
                if (readings.empty() || !isLetter(query_[at]))
                    continue;
                for (const std::uint16_t number : readings) {
                    const std::string_view reading = pinyin::syllable(number);
                    for (const std::size_t part : {std::size_t(1), isDoubleInitial(reading) ? std::size_t(2) : 0, reading.size()})
                        if (part && spellsAt(query_, at, reading, part))
                            reach(at + part);
                }
            }
        }
        if (next_[end / 64] & (std::uint64_t(1) << (end % 64)))
            return true;
        std::swap(reached_, next_);
        i += length;
    }
    return false;
}

bool initialsBeginWith(std::string_view text, std::string_view typed)
{
    std::size_t i = 0;
    for (std::size_t at = 0; at < typed.size();) {
        if (i >= text.size())
            return false;
        const auto [c, length] = utf8::characterAt(text, i);
        const std::span<const std::uint16_t> readings = pinyin::readingsOf(c);
        if (!readings.empty() && isLetter(typed[at])) {
            const bool any = std::any_of(readings.begin(), readings.end(), [&](std::uint16_t number) {
                const std::string_view reading = pinyin::syllable(number);
                return !reading.empty() && letterMatches(typed[at], reading.front());
            });
            if (!any)
                return false;
            ++at;
        } else if (length == 1 && isLetter(text[i])) {
            if (lower(typed[at]) != lower(text[i]))
                return false;
            ++at;
        } else {
            if (typed.compare(at, length, text.substr(i, length)) != 0)
                return false;
            at += length;
        }
        i += length;
    }
    return true;
}
