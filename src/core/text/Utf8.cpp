#include "Utf8.h"

#include <algorithm>

namespace utf8 {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string replaceAll(std::string_view text, std::string_view what, std::string_view with)
{
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at; !what.empty() && (at = text.find(what, from)) != std::string_view::npos;
         from = at + what.size())
        out.append(text.substr(from, at - from)).append(with);
    out.append(text.substr(from));
    return out;
}

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

void dropLastCharacter(std::string& text)
{
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((c & 0xC0) != 0x80)  // not a continuation byte: the character is gone
            return;
    }
}

}  // namespace utf8
