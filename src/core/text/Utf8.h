#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// Small helpers for UTF-8 text, which is how the core holds every text.
namespace utf8 {

bool isAscii(std::string_view text);

// Every occurrence of `what` replaced by `with`.
std::string replaceAll(std::string_view text, std::string_view what, std::string_view with);

bool holdsLineBreak(std::string_view text);

// The text without its last character (a whole UTF-8 sequence).
void dropLastCharacter(std::string& text);

// The text cut to at most limit bytes without splitting a character.
std::string_view cutToCharacters(std::string_view text, std::size_t limit);

// The text with every byte that is not well-formed UTF-8 as U+FFFD.
std::string wellFormed(std::string_view text);

// The text with its control characters (U+0000 to U+001F and U+007F) written
// out as "\x1A" and the like, so that a message shows what it names.
std::string showingControls(std::string_view text);

// The character that starts at text[i] and its length in bytes; a byte
// that starts no well-formed sequence (overlong forms and surrogates
// included) reads as U+FFFD of length 1.
std::pair<char32_t, std::size_t> characterAt(std::string_view text, std::size_t i);

// UTF-16 code units to UTF-8 and back; a lone surrogate becomes U+FFFD.
std::string fromUtf16(std::u16string_view text);
std::u16string toUtf16(std::string_view text);

}  // namespace utf8
