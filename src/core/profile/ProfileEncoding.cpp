#include "ProfileEncoding.h"

#include "AnsiBytes.h"
#include "core/text/Utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// UTF-8 as a code page: every character comes back, so nothing a person
// types is refused for want of a character.
class Utf8CodePage final : public CodePage {
public:
    std::string encode(std::string_view utf8) const override { return std::string(utf8); }
    std::string decode(std::string_view bytes) const override { return utf8::wellFormed(bytes); }
};

std::string utf16ToUtf8(std::string_view bytes, bool littleEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += char16_t(littleEndian ? (first | second << 8) : (first << 8 | second));
    }
    std::string text = utf8::fromUtf16(units);
    if (bytes.size() % 2 != 0)
        text += "\xEF\xBF\xBD";  // a half unit at the end
    return text;
}

std::string utf8ToUtf16(std::string_view text, bool littleEndian)
{
    const std::u16string units = utf8::toUtf16(text);
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

}  // namespace

ProfileText decodeProfileFile(std::string fileBytes)
{
    const std::string_view bytes(fileBytes);
    if (bytes.starts_with(kUtf8Mark))
        return {ProfileEncoding::Utf8, fileBytes.substr(kUtf8Mark.size())};
    if (bytes.starts_with(kUtf16LeMark))
        return {ProfileEncoding::Utf16Le, utf16ToUtf8(bytes.substr(kUtf16LeMark.size()), true)};
    if (bytes.starts_with(kUtf16BeMark))
        return {ProfileEncoding::Utf16Be, utf16ToUtf8(bytes.substr(kUtf16BeMark.size()), false)};
    return {ProfileEncoding::CodePage, std::move(fileBytes)};
}

std::string encodeProfileFile(ProfileEncoding encoding, std::string documentBytes)
{
    switch (encoding) {
    case ProfileEncoding::CodePage:
        break;
    case ProfileEncoding::Utf8:
        return std::string(kUtf8Mark) + documentBytes;
    case ProfileEncoding::Utf16Le:
        return std::string(kUtf16LeMark) + utf8ToUtf16(documentBytes, true);
    case ProfileEncoding::Utf16Be:
        return std::string(kUtf16BeMark) + utf8ToUtf16(documentBytes, false);
    }
    return documentBytes;
}

const CodePage& documentCodePage(ProfileEncoding encoding, const CodePage& ansi)
{
    static const Utf8CodePage utf8CodePage;
    return encoding == ProfileEncoding::CodePage ? ansi : utf8CodePage;
}

std::string_view cutValue(ProfileEncoding encoding, std::string_view value, std::size_t limit)
{
    return encoding == ProfileEncoding::CodePage ? ansi::cutToCharacters(value, limit)
                                                 : utf8::cutToCharacters(value, limit);
}
