#include "AnsiBytes.h"

namespace ansi {
namespace {

bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isFourByteSecond(unsigned char c) { return c >= 0x30 && c <= 0x39; }

}  // namespace

int charLength(std::string_view bytes, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (!isLeadByte(at(i)) || i + 1 >= bytes.size())
        return 1;
    if (isFourByteSecond(at(i + 1)))
        return (i + 3 < bytes.size()) ? 4 : 1;
    return 2;
}

std::string_view cutToCharacters(std::string_view bytes, std::size_t limit)
{
    if (bytes.size() <= limit)
        return bytes;
    std::size_t end = 0;
    while (end < bytes.size()) {
        const std::size_t len = std::size_t(charLength(bytes, end));
        if (end + len > limit)
            break;
        end += len;
    }
    return bytes.substr(0, end);
}

std::size_t encodedLengthBound(std::string_view utf8)
{
    std::size_t bound = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            bound += 1;
        else if ((byte & 0xC0) != 0x80)  // the first byte of a longer character
            bound += 4;
    }
    return bound;
}

}  // namespace ansi
