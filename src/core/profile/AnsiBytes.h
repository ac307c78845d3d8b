#pragma once

#include <cstddef>
#include <string_view>

// The structure of text in the Chinese code page, as far as the profile
// rules need it: which bytes belong to one character.
namespace ansi {

// Length in bytes of the character that starts at bytes[i]: 1 for single
// bytes, 2 for a double-byte pair, 4 for a GB18030 four-byte sequence.
int charLength(std::string_view bytes, std::size_t i);

// The bytes cut to at most `limit` bytes without splitting a character.
std::string_view cutToCharacters(std::string_view bytes, std::size_t limit);

// The most bytes that UTF-8 text can take in the code page: one per ASCII
// character, four per other character. Lets short texts skip the encoding.
std::size_t encodedLengthBound(std::string_view utf8);

}  // namespace ansi
