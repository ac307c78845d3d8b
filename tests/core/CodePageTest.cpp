#include "core/profile/AnsiBytes.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const CodePage& codePage()
{
    return *coreServices().codePage;
}

TEST(CodePage, WritesTheChineseCodePageOfWindows)
{
    EXPECT_EQ(codePage().encode("● "), hex("A1F120"));
    EXPECT_EQ(codePage().encode("标题"), hex("B1EACCE2"));
    EXPECT_EQ(codePage().encode("宽带连接"), hex("BFEDB4F8C1ACBDD3"));
    EXPECT_EQ(codePage().encode("Count"), "Count");
    // The euro sign is the single byte 0x80 of the Windows table, both ways.
    EXPECT_EQ(codePage().encode("€"), hex("80"));
    EXPECT_EQ(codePage().decode(hex("80")), "€");
}

TEST(CodePage, ReadsWhatWindowsWrote)
{
    EXPECT_EQ(codePage().decode(hex("A1F120BCC7CAC2B1BE")), "● 记事本");
    EXPECT_EQ(codePage().decode("C:\\Windows\\notepad.exe"), "C:\\Windows\\notepad.exe");
}

TEST(CodePage, CharactersOutsideTheCodePageTakeTheirGb18030FormInsteadOfAQuestionMark)
{
    const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600
    const std::string extB = "\xF0\xA0\x80\x80";   // U+20000
    const std::string thai = "\xE0\xB8\x81";       // U+0E01
    EXPECT_EQ(codePage().encode(emoji), hex("9439FC36"));
    EXPECT_EQ(codePage().encode(extB), hex("95328236"));
    EXPECT_EQ(codePage().encode(thai).size(), 4u);

    // Only those characters change form: the rest keeps its CP936 bytes.
    const std::string mixed = "● 记" + emoji + "€a" + thai;
    const std::string bytes = codePage().encode(mixed);
    EXPECT_EQ(bytes.substr(0, 5), hex("A1F120BCC7"));
    EXPECT_NE(bytes.find(hex("9439FC368061")), std::string::npos);
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_EQ(codePage().decode(bytes), mixed);
}

// One character as UTF-8.
std::string utf8Of(char32_t c)
{
    if (c < 0x80)
        return std::string(1, char(c));
    if (c < 0x800)
        return {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    return {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
}

std::string codeOf(char32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", unsigned(c));
    return text;
}

// Every character that a name or value can hold is written so that reading
// the bytes gives it back; line breaks are refused before they get here.
TEST(CodePage, EveryCharacterComesBackAsItWasWritten)
{
    // Characters go in blocks, as they stand in a file, and a block that
    // fails is taken apart to name its characters.
    constexpr char32_t kBlock = 256;
    std::vector<std::string> failures;
    for (char32_t start = 0; start <= 0x10FFFF && failures.size() < 20; start += kBlock) {
        std::vector<char32_t> characters;
        std::string text;
        for (char32_t c = start; c < start + kBlock; ++c) {
            if ((c >= 0xD800 && c <= 0xDFFF) || c == '\r' || c == '\n')
                continue;
            characters.push_back(c);
            text += utf8Of(c);
        }
        if (codePage().decode(codePage().encode(text)) == text)
            continue;
        for (const char32_t c : characters) {
            const std::string one = utf8Of(c);
            if (codePage().decode(codePage().encode(one)) != one && failures.size() < 20)
                failures.push_back(codeOf(c));
        }
    }
    EXPECT_TRUE(failures.empty()) << ::testing::PrintToString(failures);
}

// Characters that GBK lacks and GB18030 writes in two bytes, which CP936
// reads as private-use characters; and the private-use characters, which
// must then take other bytes. Invisible formatting characters, which a
// converter may drop without a word, must keep their place too.
TEST(CodePage, CharactersWhoseCodesTheTwoTablesReadDifferentlyComeBack)
{
    const struct {
        char32_t character;
        const char* bytes;  // as written, in hex
    } cases[] = {
        {0x4DAE, "FE9F"},      // 䶮, of GB18030's two-byte forms
        {0x1E3F, "A8BC"},      // ḿ
        {0x01F9, "A8BF"},      // ǹ
        {0x2E81, "FE50"},      // ⺁
        {0x2FF0, "A98A"},      // ⿰
        {0x2FFB, "A995"},      // ⿻
        {0x303E, "A989"},      // 〾
        {0xE7C7, "8135F437"},  // the private-use character CP936 reads from A8 BC
        {0xE863, ""},          // ... from FE 9F
        {0xE815, ""},          // ... from FE 50
        {0xE76C, "A2E3"},      // CP936 holds the euro sign elsewhere: A2 E3 keeps its character
        {0xE000, "AAA1"},      // a private-use character of no dispute keeps its CP936 code
        {0x00AD, ""},          // soft hyphen
        {0x200B, ""},          // zero-width space
        {0x200D, ""},          // zero-width joiner
        {0x200E, ""},          // left-to-right mark
        {0x202E, ""},          // right-to-left override
        {0x2066, ""},          // left-to-right isolate
        {0xFE0F, ""},          // variation selector 16
        {0xFEFF, ""},          // zero-width no-break space
        {0xE0001, ""},         // language tag
        {0xE007F, ""},         // cancel tag
        {0x10FFFF, ""},        // the last code point
    };
    for (const auto& c : cases) {
        const std::string text = "a" + utf8Of(c.character) + "b";
        const std::string bytes = codePage().encode(text);
        EXPECT_EQ(codePage().decode(bytes), text) << codeOf(c.character);
        EXPECT_GT(bytes.size(), 2u) << codeOf(c.character);  // never dropped
        if (*c.bytes) {
            EXPECT_EQ(bytes, "a" + hex(c.bytes) + "b") << codeOf(c.character);
        }
    }
    // A file that GB18030 wrote reads as it meant.
    EXPECT_EQ(codePage().decode(hex("FE9FB1EA")), "\u4DAE标");
    EXPECT_EQ(codePage().decode(hex("41A8BC")), "A\u1E3F");
    EXPECT_EQ(codePage().decode(hex("A98A9439FC36")), "\u2FF0\U0001F600");
}

TEST(CodePage, TellsCharacterLengthsSoNamesAreNotSplitMidCharacter)
{
    const std::string bytes = hex("41B1EA9439FC3680");
    EXPECT_EQ(ansi::charLength(bytes, 0), 1);
    EXPECT_EQ(ansi::charLength(bytes, 1), 2);
    EXPECT_EQ(ansi::charLength(bytes, 3), 4);
    EXPECT_EQ(ansi::charLength(bytes, 7), 1);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(ansi::charLength(hex("41B1"), 1), 1);
    EXPECT_EQ(ansi::cutToCharacters(bytes, 4), hex("41B1EA"));
}

}  // namespace
