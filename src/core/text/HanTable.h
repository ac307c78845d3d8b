#pragma once

#include <cstdint>

// The table of Han characters, made at build time (src/tools/MakeHanTable.cpp):
// each character's pinyin readings without tones, the most common first,
// and its rank in the order of the Linux list. The slots are Extension A and
// the unified ideographs (U+3400 to U+9FFF), then the compatibility
// ideographs (U+F900 to U+FAFF): every Han character of GBK has one.
namespace han {

inline constexpr int kMainSlots = 0x9FFF - 0x3400 + 1;
inline constexpr int kSlots = kMainSlots + 0xFAFF - 0xF900 + 1;

// The character's slot, or -1 when the table has none for it.
constexpr int slotOf(char32_t c)
{
    if (c >= 0x3400 && c <= 0x9FFF)
        return int(c - 0x3400);
    if (c >= 0xF900 && c <= 0xFAFF)
        return kMainSlots + int(c - 0xF900);
    return -1;
}

// The syllables, in letter order: syllable i is kSyllableText from
// kSyllableStart[i] to kSyllableStart[i + 1], lower-case letters, "v" for ü.
extern const std::uint16_t kSyllableCount;
extern const char kSyllableText[];
extern const std::uint16_t kSyllableStart[];

// Per slot: 0xFFFF for no reading; below 0x8000 the one syllable; else
// 0x8000 + p, for the syllables of kPolySyllables from kPolyStart[p] to
// kPolyStart[p + 1].
inline constexpr std::uint16_t kNoReading = 0xFFFF;
inline constexpr std::uint16_t kPolyphone = 0x8000;
extern const std::uint16_t kReading[kSlots];
extern const std::uint16_t kPolyStart[];
extern const std::uint16_t kPolySyllables[];

// The ranks of ICU's Chinese collation at secondary strength with Han after
// every other script: texts of ranked characters order as their sequences
// of ranks. Rank 0 is a character the collation ignores; kUnranked one it
// weighs otherwise, for which ICU itself is needed.
inline constexpr std::uint16_t kUnranked = 0xFFFF;
extern const std::uint16_t kAsciiRank[128];
extern const std::uint16_t kCircleRank;  // U+25CF, the item marker's circle
extern const std::uint16_t kRank[kSlots];

}  // namespace han
