#include "profile/AnsiCodec.h"

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

TEST(AnsiCodec, WritesTheChineseCodePageOfWindows)
{
    EXPECT_EQ(ansi::encode(QStringLiteral("● ")), hex("A1F120"));
    EXPECT_EQ(ansi::encode(QStringLiteral("标题")), hex("B1EACCE2"));
    EXPECT_EQ(ansi::encode(QStringLiteral("宽带连接")), hex("BFEDB4F8C1ACBDD3"));
    EXPECT_EQ(ansi::encode(QStringLiteral("Count")), QByteArray("Count"));
    // The euro sign is the single byte 0x80 of the Windows table, both ways.
    EXPECT_EQ(ansi::encode(QStringLiteral("€")), hex("80"));
    EXPECT_EQ(ansi::decode(hex("80")), QStringLiteral("€"));
}

TEST(AnsiCodec, ReadsWhatWindowsWrote)
{
    EXPECT_EQ(ansi::decode(hex("A1F120BCC7CAC2B1BE")), QStringLiteral("● 记事本"));
    EXPECT_EQ(ansi::decode(QByteArray("C:\\Windows\\notepad.exe")), QStringLiteral("C:\\Windows\\notepad.exe"));
}

TEST(AnsiCodec, CharactersOutsideTheCodePageTakeTheirGb18030FormInsteadOfAQuestionMark)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");   // U+1F600
    const QString extB = QString::fromUtf8("\xF0\xA0\x80\x80");    // U+20000
    const QString thai = QString::fromUtf8("\xE0\xB8\x81");        // U+0E01
    EXPECT_EQ(ansi::encode(emoji), hex("9439FC36"));
    EXPECT_EQ(ansi::encode(extB), hex("95328236"));
    EXPECT_EQ(ansi::encode(thai).size(), 4);

    // Only those characters change form: the rest keeps its CP936 bytes.
    const QString mixed = QStringLiteral("● 记") + emoji + QStringLiteral("€a") + thai;
    const QByteArray bytes = ansi::encode(mixed);
    EXPECT_TRUE(bytes.startsWith(hex("A1F120BCC7")));
    EXPECT_TRUE(bytes.contains(hex("9439FC368061")));
    EXPECT_FALSE(bytes.contains('?'));
    EXPECT_EQ(ansi::decode(bytes), mixed);
}

TEST(AnsiCodec, TellsCharacterLengthsSoNamesAreNotSplitMidCharacter)
{
    const QByteArray bytes = hex("41B1EA9439FC3680");
    EXPECT_EQ(ansi::charLength(bytes, 0), 1);
    EXPECT_EQ(ansi::charLength(bytes, 1), 2);
    EXPECT_EQ(ansi::charLength(bytes, 3), 4);
    EXPECT_EQ(ansi::charLength(bytes, 7), 1);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(ansi::charLength(hex("41B1"), 1), 1);
}

}  // namespace
