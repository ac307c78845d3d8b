#pragma once

#include <string>
#include <string_view>

// Small helpers for UTF-8 text, which is how the core holds every text.
namespace utf8 {

bool isAscii(std::string_view text);

// Every occurrence of `what` replaced by `with`.
std::string replaceAll(std::string_view text, std::string_view what, std::string_view with);

bool holdsLineBreak(std::string_view text);

// The text without its last character (a whole UTF-8 sequence).
void dropLastCharacter(std::string& text);

}  // namespace utf8
