#include "TempFolder.h"

#include "platform/windows/WinCodePage.h"

#include <gtest/gtest.h>

namespace {

std::string utf8Of(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

TEST(WinCodePage, EveryCharacterComesBackAsItWent)
{
    // Including the 81 characters that CP936 lacks and GB18030 writes in two
    // bytes, which CP936 reads as characters of the private use area, and
    // those private-use characters themselves. Any loss is a fault.
    const WinCodePage codePage;
    int lost = 0;
    for (char32_t c = 0x80; c <= 0x10FFFF && lost < 20; c += (c < 0x10000 ? 1 : 0x3F1)) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string text = utf8Of(c);
        if (codePage.decode(codePage.encode(text)) == text)
            continue;
        ++lost;
        ADD_FAILURE() << "U+" << std::hex << unsigned(c) << " does not come back";
    }
}

TEST(WinCodePage, EveryCp936CharacterKeepsItsBytes)
{
    const WinCodePage codePage;
    int changed = 0;
    for (unsigned lead = 0x81; lead <= 0xFE && changed < 10; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE && changed < 10; ++trail) {
            const char pair[2] = {char(lead), char(trail)};
            wchar_t c;
            if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, pair, 2, &c, 1) != 1)
                continue;
            const std::string bytes(pair, 2);
            if (codePage.encode(codePage.decode(bytes)) != bytes) {
                ++changed;
                ADD_FAILURE() << std::hex << lead << ' ' << trail << " changes";
            }
        }
    }
}

TEST(WinCodePage, BytesThatFormNoCharacterBecomeReplacementCharacters)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const std::string bad = "\xEF\xBF\xBD";  // U+FFFD
    const Case cases[] = {
        {"a lead byte at the end", "\xB1\xEA\xB1", "标" + bad},
        // The line break after a broken character stays a line break.
        {"a lead byte before a line break", "\xB1\r\nk=v", bad + "\r\nk=v"},
        {"a four-byte sequence cut short", "a\x94\x39", "a" + bad + "9"},
        {"a four-byte sequence with a wrong third byte", "\x94\x39\x20\x36", bad + "9 6"},
        {"a four-byte sequence between CP936 text", "\xB1\xEA\x94\x39\xFC\x36\xCC\xE2", "标\xF0\x9F\x98\x80题"},
    };
    const WinCodePage codePage;
    for (const Case& c : cases)
        EXPECT_EQ(codePage.decode(c.bytes), c.text) << c.name;
}

}  // namespace
