#include "platform/linux/IcuCollation.h"
#include "platform/linux/PosixFileStore.h"
#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>

namespace {

int sign(int n) { return (n > 0) - (n < 0); }

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

// Texts of ASCII alone are ordered by a table, not by ICU: the table must
// give ICU's own order, or a list would change order once a Chinese name
// joins it.
TEST(IcuCollation, TheAsciiTableOrdersAsIcuDoes)
{
    IcuCollation collation;
    std::vector<std::string> texts;
    for (int c = 1; c < 128; ++c)
        texts.emplace_back(1, char(c));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<int> pick(0, 2);
    const std::string likely = "aAbB zZ09_-.()[]'~";
    for (int i = 0; i < 400; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text.push_back(pick(random) ? likely[std::size_t(random() % likely.size())] : char(1 + random() % 127));
        texts.push_back(text);
    }
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            ASSERT_EQ(sign(collation.compare(a, b)), sign(collation.compareWithIcu(a, b)))
                << '"' << a << "\" vs \"" << b << '"';
}

}  // namespace
