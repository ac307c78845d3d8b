#include "core/launcher/ListIndex.h"
#include "core/profile/Profile.h"
#include "core/services/FileStore.h"
#include "support/CoreTest.h"

#include <filesystem>
#include <string_view>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

const std::string kMarker = "● ";

std::string readProfileValue(const std::string& section, const std::string& key, const std::string& path)
{
    return ::readProfileValue(profileAccess(), section, key, path);
}

ProfileResult writeProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& path)
{
    return ::writeProfileValue(profileAccess(), section, key, value, path);
}

TEST(ProfileStore, TwoAddsGiveTheFileOfTheWindowsProgramByteForByte)
{
    TempFolder folder;
    const std::string path = folder.profile();
    // First add: the item's section, then the index of one entry.
    writeProfileValue(kMarker + "Notepad", "Filename", "C:\\Windows\\notepad.exe", path);
    writeProfileValue("标题", "000", kMarker + "Notepad", path);
    writeProfileValue("标题", "Count", "1", path);
    // Second add: its section, then the whole index anew.
    writeProfileValue(kMarker + "Paint", "Filename", "C:\\Windows\\system32\\mspaint.exe", path);
    writeProfileValue("标题", "000", kMarker + "Notepad", path);
    writeProfileValue("标题", "001", kMarker + "Paint", path);
    writeProfileValue("标题", "Count", "2", path);

    const std::string expected = (
        "[● Notepad]\r\nFilename=C:\\Windows\\notepad.exe\r\n"
        "[标题]\r\n000=● Notepad\r\nCount=2\r\n001=● Paint\r\n"
        "[● Paint]\r\nFilename=C:\\Windows\\system32\\mspaint.exe\r\n");
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), coreServices().codePage->encode(expected));
    EXPECT_NE(folder.readBytes("Ombrel.ini").find(hex("5BB1EACCE25D")), std::string::npos);  // [标题]
}

TEST(ProfileStore, ValuesComeBackExactlyAsWritten)
{
    TempFolder folder;
    const std::string path = folder.profile();
    const std::string values[] = {"  two blanks each side  ", "\"in quotes\"", "C:\\Program Files\\画图\\mspaint.exe",
                                  "emoji \xF0\x9F\x98\x80 and € and ก", ""};
    for (const std::string& value : values) {
        ASSERT_TRUE(writeProfileValue("s", "k", value, path).ok());
        EXPECT_EQ(readProfileValue("s", "k", path), value);
    }
    EXPECT_EQ(readProfileValue("s", "missing", path), "");
    EXPECT_EQ(readProfileValue("missing", "k", path), "");
    EXPECT_EQ(readProfileValue("s", "k", folder.file("no-such.ini")), "");
}

TEST(ProfileStore, ALongValueIsCutToTheReadersBufferWithoutSplittingACharacter)
{
    TempFolder folder;
    const std::string path = folder.profile();
    ASSERT_TRUE(writeProfileValue("s", "ascii", std::string(12000, 'x'), path).ok());
    EXPECT_EQ(readProfileValue("s", "ascii", path).size(), 9999u);
    // 5,000 two-byte characters: 4,999 of them fit into 9,999 bytes.
    const auto repeated = [](int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += "标";
        return text;
    };
    ASSERT_TRUE(writeProfileValue("s", "chinese", repeated(5000), path).ok());
    EXPECT_EQ(readProfileValue("s", "chinese", path), repeated(4999));
}

TEST(ProfileStore, AWriteThatCannotBeOneLineIsRefusedAndNothingIsWritten)
{
    TempFolder folder;
    const std::string path = folder.profile();
    ASSERT_TRUE(writeProfileValue("s", "k", "old", path).ok());
    const std::string before = folder.readBytes("Ombrel.ini");

    for (const auto& [section, key, value] :
         {std::tuple{"s", "k", "line\nbreak"}, std::tuple{"s\r", "k", "v"}, std::tuple{"s", "k\r\n", "v"},
          std::tuple{"s", "a=b", "v"}, std::tuple{"s", "", "v"}}) {
        const ProfileResult result = writeProfileValue(section, key, value, path);
        EXPECT_FALSE(result.ok()) << key;
        EXPECT_EQ(result.file, path);
    }
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);

    // In a command of several writes, one refused write stops them all.
    ProfileEdit edit(profileAccess(), path);
    edit.writeProfileValue("s", "k", "new");
    edit.writeProfileValue("s", "bad", "two\nlines");
    EXPECT_FALSE(edit.commit().ok());
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
}

// Names and values that could not be read back as they were written: the
// write is refused with a reason and the file stays as it was.
TEST(ProfileStore, AWriteThatWouldNotReadBackIsRefused)
{
    TempFolder folder;
    const std::string path = folder.profile();
    ASSERT_TRUE(writeProfileValue("s", "k", "old", path).ok());
    const std::string before = folder.readBytes("Ombrel.ini");

    const std::string loneSurrogate = "a\xED\xA0\x80" "b";  // U+D800 in UTF-8's form: no character
    const std::string lastLoneSurrogate = "\xED\xBF\xBF";
    const std::string notUtf8 = "a\xFF" "b";
    for (const auto& [section, key, value] : {
             std::tuple{std::string("s"), std::string("k"), loneSurrogate},
             std::tuple{std::string("s"), std::string("k"), lastLoneSurrogate},
             std::tuple{std::string("s"), loneSurrogate, std::string("v")},
             std::tuple{loneSurrogate, std::string("k"), std::string("v")},
             std::tuple{std::string("s"), std::string("k"), notUtf8},
             std::tuple{std::string("s"), std::string("k"), std::string("a\0b", 3)},  // the reader stops at zero
             std::tuple{std::string("s"), std::string("\x1A[a"), std::string("b]")},
             std::tuple{std::string("s"), std::string("\t[a"), std::string("v")},
             std::tuple{std::string("s"), std::string("\x1A"), std::string("v")},
             std::tuple{std::string("s"), std::string("   "), std::string("v")},
         }) {
        const ProfileResult result = writeProfileValue(section, key, value, path);
        EXPECT_FALSE(result.ok()) << ::testing::PrintToString(key) << ' ' << ::testing::PrintToString(value);
        EXPECT_FALSE(result.reason.empty());
    }
    EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);
    EXPECT_EQ(readProfileValue("s", "k", path), "old");
    // The reason shows a control character the name holds, rather than hide it.
    EXPECT_NE(writeProfileValue("s", "\x1A[k", "v", path).reason.find("“\\x1A[k”"), std::string::npos);
}

TEST(ProfileStore, CharactersOutsideGbkComeBackFromTheFile)
{
    TempFolder folder;
    const std::string path = folder.profile();
    const std::string texts[] = {
        "\u4DAE \u2FF0\u2FFB \u1E3F",            // GB18030's two-byte forms
        "\uE863\uE7C7",                            // the private-use characters CP936 gives their codes
        "\U0001F468\u200D\U0001F469\u200D\U0001F467",  // a family: emoji joined by zero-width joiners
        "\u2764\uFE0F soft\u00ADhyphen \u200B\u200E\u202E",
        "\U0001F3F4\U000E0067\U000E0062\U000E0073\U000E0063\U000E0074\U000E007F",  // a flag of tag characters
    };
    for (const std::string& text : texts) {
        ASSERT_TRUE(writeProfileValue(text, text, text, path).ok()) << text;
        EXPECT_EQ(readProfileValue(text, text, path), text);
    }
}

// A file store whose reads fail, after giving the bytes the test sets: what
// a read that broke off part way gives.
class FailingReads final : public FileStore {
public:
    FileBytes read(const std::string&) const override { return {true, partial, "输入/输出错误"}; }
    Replacement replace(const std::string& path, std::string_view bytes, FileReaders readers) override
    {
        replaced.push_back(path);
        return coreServices().files->replace(path, bytes, readers);
    }
    void removeLeftovers(const std::string&) override {}

    std::string partial;
    std::vector<std::string> replaced;
};

TEST(ProfileStore, AFileThatCannotBeReadIsNeverReplaced)
{
    TempFolder folder;
    const std::string path = folder.profile();
    folder.writeProfile("[标题]\nCount=2\n000=● a\n001=● b\n");
    const std::string before = folder.readBytes("Ombrel.ini");

    for (const std::string& partial : {std::string(), before.substr(0, 10)}) {
        FailingReads store;
        store.partial = partial;
        const ProfileAccess access{store, *coreServices().codePage};

        const ProfileResult one = ::writeProfileValue(access, "标题", "Count", "3", path);
        EXPECT_FALSE(one.ok());
        EXPECT_NE(one.message().find("输入/输出错误"), std::string::npos);
        EXPECT_EQ(one.file, path);

        ProfileEdit edit(access, path);
        edit.writeProfileValue("标题", "002", "● c");
        edit.writeProfileValue("标题", "Count", "3");
        EXPECT_FALSE(edit.commit().ok());

        EXPECT_TRUE(store.replaced.empty());
        EXPECT_EQ(folder.readBytes("Ombrel.ini"), before);

        // A read says why it found nothing rather than show part of the file.
        const ProfileSnapshot snapshot(access, path);
        EXPECT_EQ(snapshot.readError(), "输入/输出错误");
        EXPECT_EQ(snapshot.readProfileValue("标题", "Count"), "");
    }
    EXPECT_EQ(ProfileSnapshot(profileAccess(), path).readError(), "");
    EXPECT_EQ(ProfileSnapshot(profileAccess(), folder.file("missing.ini")).readError(), "");
}

TEST(ProfileStore, ACommandOfManyWritesEqualsTheWritesMadeOneByOne)
{
    TempFolder batched;
    TempFolder single;
    const std::string start = (
        "; hand-made\n[标题]\nCount=3\n000=● b\n001=● a\n002=● c\n\n[● a]\nFilename=/bin/a\n");
    batched.writeProfile(start);
    single.writeProfile(start);

    std::vector<std::string> entries;
    for (int i = 0; i < 60; ++i)
        entries.push_back(kMarker + std::to_string(i));
    ProfileEdit edit(profileAccess(), batched.profile());
    edit.writeProfileValue(entries.back(), "Filename", "/opt/item 59");
    writeProfileValue(entries.back(), "Filename", "/opt/item 59", single.profile());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        edit.writeProfileValue("标题", listKey(i), entries[i]);
        writeProfileValue("标题", listKey(i), entries[i], single.profile());
    }
    edit.writeProfileValue("标题", "Count", std::to_string(entries.size()));
    writeProfileValue("标题", "Count", std::to_string(entries.size()), single.profile());
    ASSERT_TRUE(edit.commit().ok());

    EXPECT_EQ(batched.readBytes("Ombrel.ini"), single.readBytes("Ombrel.ini"));
    EXPECT_EQ(readListIndex(ProfileSnapshot(profileAccess(), batched.profile())), entries);
}

TEST(ProfileStore, AFailedWriteNamesTheFileAndTheReasonAndChangesNothing)
{
    TempFolder folder;
    // The folder does not exist.
    const std::string missing = folder.file("gone/Ombrel.ini");
    ProfileResult result = writeProfileValue("s", "k", "v", missing);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.message().find("Ombrel.ini"), std::string::npos);
    EXPECT_FALSE(result.reason.empty());

    // A read-only profile is left as it is, even for a user who could replace it.
    const std::string path = folder.profile();
    ASSERT_TRUE(writeProfileValue("s", "k", "old", path).ok());
    namespace fs = std::filesystem;
    fs::permissions(fs::path(std::u8string(path.begin(), path.end())),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    result = writeProfileValue("s", "k", "new", path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(readProfileValue("s", "k", path), "old");

    // A folder where the file should be.
    ASSERT_TRUE(fs::create_directory(fs::path(folder.file("Ombrel.ini.d"))));
    result = writeProfileValue("s", "k", "v", folder.file("Ombrel.ini.d"));
    EXPECT_FALSE(result.ok());

    // No temporary file is left behind by any of them.
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"Ombrel.ini", "Ombrel.ini.d"}));
}

// A profile saved as Unicode (with a byte order mark) is read and written in
// its own encoding, mark and all; it then holds characters the code page
// lacks as they are.
TEST(ProfileStore, AUnicodeProfileIsReadAndWrittenInItsOwnEncoding)
{
    const auto utf16 = [](const std::string& ascii, bool little) {
        std::string bytes;
        for (const char c : ascii)
            bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
        return bytes;
    };
    const struct {
        const char* name;
        std::string mark;
        std::string start;  // "[s]\r\nk=v\r\n" in the encoding
        std::string added;  // the line "n=笑😀\r\n" in the encoding
    } cases[] = {
        {"UTF-8", "\xEF\xBB\xBF", "[s]\r\nk=v\r\n", "n=笑😀\r\n"},
        {"UTF-16 LE", "\xFF\xFE", utf16("[s]\r\nk=v\r\n", true),
         utf16("n=", true) + std::string("\x11\x7B\x3D\xD8\x00\xDE", 6) + utf16("\r\n", true)},
        {"UTF-16 BE", "\xFE\xFF", utf16("[s]\r\nk=v\r\n", false),
         utf16("n=", false) + std::string("\x7B\x11\xD8\x3D\xDE\x00", 6) + utf16("\r\n", false)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.profile();
        folder.writeBytes("Ombrel.ini", c.mark + c.start);
        EXPECT_EQ(readProfileValue("s", "k", path), "v");
        ASSERT_TRUE(writeProfileValue("s", "n", "笑😀", path).ok());
        EXPECT_EQ(folder.readBytes("Ombrel.ini"), c.mark + c.start + c.added);
        EXPECT_EQ(readProfileValue("s", "n", path), "笑😀");
    }
}

TEST(ProfileStore, TheProfileLivesInTheApplicationFolderEvenAtTheRoot)
{
    EXPECT_EQ(profilePath("/opt/ombrel"), "/opt/ombrel/Ombrel.ini");
    EXPECT_EQ(profilePath("/opt/ombrel/"), "/opt/ombrel/Ombrel.ini");
    EXPECT_EQ(profilePath("/"), "/Ombrel.ini");
    // A Windows folder keeps its backslashes; a drive root already ends in one.
    EXPECT_EQ(profilePath("C:\\Tools\\画图"), "C:\\Tools\\画图\\Ombrel.ini");
    EXPECT_EQ(profilePath("D:\\"), "D:\\Ombrel.ini");
}

}  // namespace
