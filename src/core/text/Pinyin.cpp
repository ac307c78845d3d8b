#include "Pinyin.h"

#include "HanTable.h"

namespace pinyin {

std::span<const std::uint16_t> readingsOf(char32_t c)
{
    const int slot = han::slotOf(c);
    if (slot < 0 || han::kReading[slot] == han::kNoReading)
        return {};
    const std::uint16_t entry = han::kReading[slot];
    if (!(entry & han::kPolyphone))
        return {&han::kReading[slot], 1};
    const std::uint16_t polyphone = entry & ~han::kPolyphone;
    const std::uint16_t first = han::kPolyStart[polyphone];
    return {&han::kPolySyllables[first], std::size_t(han::kPolyStart[polyphone + 1] - first)};
}

std::string_view syllable(std::uint16_t number)
{
    if (number >= han::kSyllableCount)
        return {};
    const std::uint16_t start = han::kSyllableStart[number];
    return {&han::kSyllableText[start], std::size_t(han::kSyllableStart[number + 1] - start)};
}

}  // namespace pinyin
