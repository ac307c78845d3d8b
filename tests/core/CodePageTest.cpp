#include "core/profile/AnsiBytes.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

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
