#include "platform/linux/Cp936Table.h"
#include "platform/linux/IcuCodePage.h"
#include "platform/windows/Gb18030Forms.h"
#include "platform/linux/IcuCollation.h"
#include "platform/linux/PosixFileStore.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>

namespace {

int sign(int n) { return (n > 0) - (n < 0); }

// One character as UTF-8 (QString::fromUcs4 would drop a U+FEFF as a byte order mark).
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

TEST(PosixFileStore, ReplacesTheFileWholeByARenameKeepingItsPermissions)
{
    TempFolder folder;
    const QString path = folder.profile();
    PosixFileStore store;
    ASSERT_TRUE(store.replace(path.toStdString(), "[s]\r\nk=v1\r\n").ok());
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    // A reader that opened the old file keeps seeing the old file whole:
    // the new one arrives by a rename, never by truncating the old one.
    QFile reader(path);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(store.replace(path.toStdString(), "[s]\r\nk=a much longer second value\r\n").ok());
    EXPECT_EQ(reader.readAll(), QByteArray("[s]\r\nk=v1\r\n"));
    EXPECT_EQ(store.read(path.toStdString()).bytes, "[s]\r\nk=a much longer second value\r\n");
    EXPECT_EQ(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                            | QFile::ReadGroup);
    EXPECT_EQ(folder.entries(), QStringList{"Ombrel.ini"});

    const FileBytes missing = store.read(folder.file("none.ini").toStdString());
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(missing.ok());
}

// Texts of ASCII and the item marker are ordered by a table, not by ICU: it must
// give ICU's own order, or a list would change order once a Chinese name
// joins it.
TEST(IcuCollation, TheAsciiTableOrdersAsIcuDoes)
{
    IcuCollation collation;
    std::vector<std::string> texts;
    for (int c = 1; c < 128; ++c)
        texts.emplace_back(1, char(c));
    texts.emplace_back("●");
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<int> pick(0, 2);
    const std::string likely = "aAbB zZ09_-.()[]'~";
    for (int i = 0; i < 400; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pick(random) ? std::string(1, likely[std::size_t(random() % likely.size())])
                                 : (random() % 8 ? std::string(1, char(1 + random() % 127)) : std::string("● "));
        texts.push_back(text);
    }
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            ASSERT_EQ(sign(collation.compare(a, b)), sign(collation.compareWithIcu(a, b)))
                << '"' << a << "\" vs \"" << b << '"';
}

// CP936 text goes through a table built from ICU's; it must convert every
// character and every two-byte code exactly as ICU's converter does.
TEST(IcuCodePage, TheBuiltInTableConvertsAsIcuDoes)
{
    IcuCodePage codePage;
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string text = utf8Of(c) + "a";
        ASSERT_EQ(codePage.encode(text), codePage.encodeWithIcu(text)) << std::hex << unsigned(c);
    }
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const std::string bytes{char(lead), char(trail), 'a'};
            ASSERT_EQ(codePage.decode(bytes), codePage.decodeWithIcu(bytes)) << std::hex << lead << ' ' << trail;
        }
    }
    for (const std::string& text : {std::string("\xF0\x9F\x98\x80 ● 记"), std::string("bad \xE8\xAE"), std::string("\xB1")})
        EXPECT_EQ(codePage.decode(codePage.encode(text)), codePage.decodeWithIcu(codePage.encodeWithIcu(text)));
}

// The Windows build writes the characters CP936 lacks by its own table of
// GB18030 forms; both builds must write the same bytes for each of them.
TEST(IcuCodePage, TheWindowsBuildsGb18030FormsAreIcus)
{
    IcuCodePage codePage;
    const auto fourBytes = [](unsigned n) {
        return std::string{char(0x81 + n / 12600), char(0x30 + n / 1260 % 10), char(0x81 + n / 10 % 126),
                           char(0x30 + n % 10)};
    };
    int checked = 0;
    for (const gb18030::FourByteRun& run : gb18030::kFourByteRuns) {
        for (char32_t c = run.first; c <= run.last; ++c) {
            // Surrogates are no characters; characters CP936 holds never use the table.
            if ((c >= 0xD800 && c <= 0xDFFF) || cp936::kEncode[c] != 0)
                continue;
            ++checked;
            ASSERT_EQ(codePage.encode(utf8Of(c)), fourBytes(run.index + unsigned(c - run.first))) << std::hex << unsigned(c);
        }
    }
    for (const gb18030::TwoByteForm& form : gb18030::kTwoByteForms) {
        const char32_t c = form.character;
        EXPECT_EQ(codePage.encode(utf8Of(c)),
                  (std::string{char(form.bytes >> 8), char(form.bytes & 0xFF)}));
    }
    EXPECT_GT(checked, 39000);
}

}  // namespace
