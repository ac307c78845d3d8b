#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The pinyin readings of Han characters, from the Han table.
namespace pinyin {

// The numbers of a character's readings, the most common first; none for a
// character the table has no reading for.
std::span<const std::uint16_t> readingsOf(char32_t c);
// A reading by its number: lower-case letters without tones, "v" for ü.
std::string_view syllable(std::uint16_t number);

}  // namespace pinyin
