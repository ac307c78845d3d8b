#include "app/logic/ListIndex.h"
#include "profile/AnsiCodec.h"
#include "profile/Profile.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kMarker = QStringLiteral("● ");

TEST(ProfileStore, TwoAddsGiveTheFileOfTheWindowsProgramByteForByte)
{
    TempFolder folder;
    const QString path = folder.profile();
    // First add: the item's section, then the index of one entry.
    WriteINI(kMarker + "Notepad", "Filename", "C:\\Windows\\notepad.exe", path);
    WriteINI("标题", "000", kMarker + "Notepad", path);
    WriteINI("标题", "Count", "1", path);
    // Second add: its section, then the whole index anew.
    WriteINI(kMarker + "Paint", "Filename", "C:\\Windows\\system32\\mspaint.exe", path);
    WriteINI("标题", "000", kMarker + "Notepad", path);
    WriteINI("标题", "001", kMarker + "Paint", path);
    WriteINI("标题", "Count", "2", path);

    const QString expected = QStringLiteral(
        "[● Notepad]\r\nFilename=C:\\Windows\\notepad.exe\r\n"
        "[标题]\r\n000=● Notepad\r\nCount=2\r\n001=● Paint\r\n"
        "[● Paint]\r\nFilename=C:\\Windows\\system32\\mspaint.exe\r\n");
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), ansi::encode(expected));
    EXPECT_TRUE(folder.readBytes("Ombrel.ini").contains(QByteArray::fromHex("5BB1EACCE25D")));  // [标题]
}

TEST(ProfileStore, ValuesComeBackExactlyAsWritten)
{
    TempFolder folder;
    const QString path = folder.profile();
    const QString values[] = {QStringLiteral("  two blanks each side  "), QStringLiteral("\"in quotes\""),
                              QStringLiteral("C:\\Program Files\\画图\\mspaint.exe"),
                              QString::fromUtf8("emoji \xF0\x9F\x98\x80 and € and ก"), QString()};
    for (const QString& value : values) {
        ASSERT_TRUE(WriteINI("s", "k", value, path).ok());
        EXPECT_EQ(GetINI("s", "k", path), value);
    }
    EXPECT_EQ(GetINI("s", "missing", path), QString());
    EXPECT_EQ(GetINI("missing", "k", path), QString());
    EXPECT_EQ(GetINI("s", "k", folder.file("no-such.ini")), QString());
}

TEST(ProfileStore, ALongValueIsCutToTheReadersBufferWithoutSplittingACharacter)
{
    TempFolder folder;
    const QString path = folder.profile();
    ASSERT_TRUE(WriteINI("s", "ascii", QString(12000, QLatin1Char('x')), path).ok());
    EXPECT_EQ(GetINI("s", "ascii", path).size(), 9999);
    // 5,000 two-byte characters: 4,999 of them fit into 9,999 bytes.
    ASSERT_TRUE(WriteINI("s", "chinese", QString(5000, QChar(0x6807)), path).ok());
    EXPECT_EQ(GetINI("s", "chinese", path), QString(4999, QChar(0x6807)));
}

TEST(ProfileStore, AWriteThatCannotBeOneLineIsRefusedAndNothingIsWritten)
{
    TempFolder folder;
    const QString path = folder.profile();
    ASSERT_TRUE(WriteINI("s", "k", "old", path).ok());
    const QByteArray before = folder.readBytes("Ombrel.ini");

    for (const auto& [section, key, value] :
         {std::tuple{"s", "k", "line\nbreak"}, std::tuple{"s\r", "k", "v"}, std::tuple{"s", "k\r\n", "v"},
          std::tuple{"s", "a=b", "v"}, std::tuple{"s", "", "v"}}) {
        const ProfileResult result = WriteINI(section, key, value, path);
        EXPECT_FALSE(result.ok()) << key;
        EXPECT_EQ(result.file, path);
    }
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);

    // In a command of several writes, one refused write stops them all.
    ProfileEdit edit(path);
    edit.WriteINI("s", "k", "new");
    edit.WriteINI("s", "bad", "two\nlines");
    EXPECT_FALSE(edit.commit().ok());
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
}

TEST(ProfileStore, ACommandOfManyWritesEqualsTheWritesMadeOneByOne)
{
    TempFolder batched;
    TempFolder single;
    const QString start = QStringLiteral(
        "; hand-made\n[标题]\nCount=3\n000=● b\n001=● a\n002=● c\n\n[● a]\nFilename=/bin/a\n");
    batched.writeProfile(start);
    single.writeProfile(start);

    QStringList entries;
    for (int i = 0; i < 60; ++i)
        entries << kMarker + QString::number(i);
    ProfileEdit edit(batched.profile());
    edit.WriteINI(entries.last(), "Filename", "/opt/item 59");
    WriteINI(entries.last(), "Filename", "/opt/item 59", single.profile());
    for (int i = 0; i < entries.size(); ++i) {
        edit.WriteINI("标题", listKey(i), entries[i]);
        WriteINI("标题", listKey(i), entries[i], single.profile());
    }
    edit.WriteINI("标题", "Count", QString::number(entries.size()));
    WriteINI("标题", "Count", QString::number(entries.size()), single.profile());
    ASSERT_TRUE(edit.commit().ok());

    EXPECT_EQ(batched.readBytes("Ombrel.ini"), single.readBytes("Ombrel.ini"));
    EXPECT_EQ(readListIndex(ProfileSnapshot(batched.profile())), entries);
}

TEST(ProfileStore, AFailedWriteNamesTheFileAndTheReasonAndChangesNothing)
{
    TempFolder folder;
    // The folder does not exist.
    const QString missing = folder.file("gone/Ombrel.ini");
    ProfileResult result = WriteINI("s", "k", "v", missing);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.message().contains(QStringLiteral("Ombrel.ini")));
    EXPECT_FALSE(result.reason.isEmpty());

    // A read-only profile is left as it is, even for a user who could replace it.
    const QString path = folder.profile();
    ASSERT_TRUE(WriteINI("s", "k", "old", path).ok());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    result = WriteINI("s", "k", "new", path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(GetINI("s", "k", path), QStringLiteral("old"));

    // A folder where the file should be.
    ASSERT_TRUE(QDir(folder.path()).mkdir("Ombrel.ini.d"));
    result = WriteINI("s", "k", "v", folder.file("Ombrel.ini.d"));
    EXPECT_FALSE(result.ok());

    // No temporary file is left behind by any of them.
    EXPECT_EQ(folder.entries(), (QStringList{"Ombrel.ini", "Ombrel.ini.d"}));
}

TEST(ProfileStore, TheProfileIsReplacedWholeNotRewrittenInPlace)
{
    TempFolder folder;
    const QString path = folder.profile();
    ASSERT_TRUE(WriteINI("s", "k", "v1", path).ok());
    // A reader that opened the old file keeps seeing the old file whole:
    // the new one arrives by a rename, never by truncating the old one.
    QFile reader(path);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(WriteINI("s", "k", "a much longer second value", path).ok());
    EXPECT_EQ(reader.readAll(), QByteArray("[s]\r\nk=v1\r\n"));
    EXPECT_EQ(GetINI("s", "k", path), QStringLiteral("a much longer second value"));
    EXPECT_EQ(folder.entries(), QStringList{"Ombrel.ini"});
}

TEST(ProfileStore, TheProfileLivesInTheApplicationFolderEvenAtTheRoot)
{
    EXPECT_EQ(profilePath("/opt/ombrel"), QStringLiteral("/opt/ombrel/Ombrel.ini"));
    EXPECT_EQ(profilePath("/opt/ombrel/"), QStringLiteral("/opt/ombrel/Ombrel.ini"));
    EXPECT_EQ(profilePath("/"), QStringLiteral("/Ombrel.ini"));
}

}  // namespace
