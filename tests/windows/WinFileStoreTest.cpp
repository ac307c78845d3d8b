#include "TempFolder.h"

#include "platform/windows/WideText.h"
#include "platform/windows/WinFileStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using wintest::TempFolder;

std::string u8(std::wstring_view text) { return wintest::utf8(text); }

TEST(WinFileStore, ReplacesWholeFilesAndLeavesNoTemporaryFileBehind)
{
    struct Case {
        const char* name;
        std::string before;  // "<missing>": no file yet
        std::string after;
    };
    const std::string large(300 * 1024, '\xB1');
    const Case cases[] = {
        {"new file", "<missing>", "[设置]\r\nCount=1\r\n"},
        {"longer than before", "a", std::string("bytes \0 \r\n \x80\xFF of every kind", 26)},
        {"shorter than before", large, "x"},
        {"emptied", "abc", ""},
        {"larger than one read", "", large},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ASSERT_TRUE(folder.ok());
        const std::wstring path = folder.file(L"Ombrel.ini");
        if (c.before != "<missing>") {
            ASSERT_TRUE(wintest::writeBytes(path, c.before));
        }
        WinFileStore store;

        const Replacement result = store.replace(u8(path), c.after);

        EXPECT_TRUE(result.ok()) << result.reason;
        EXPECT_EQ(wintest::readBytes(path), c.after);
        const FileBytes read = store.read(u8(path));
        EXPECT_TRUE(read.exists && read.ok()) << read.error;
        EXPECT_EQ(read.bytes, c.after);
        EXPECT_EQ(folder.listing(), L"Ombrel.ini");
    }
}

TEST(WinFileStore, WorksInFoldersAndFilesWithChineseNames)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::wstring sub = folder.file(L"桌面 ● 工具");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    const std::wstring path = sub + L"\\记事本.ini";
    WinFileStore store;

    ASSERT_TRUE(store.replace(u8(path), "[a]\r\n").ok());
    ASSERT_TRUE(store.replace(u8(path), "[b]\r\n").ok());

    // The name on disk is the Chinese name itself, not its bytes in some code page.
    EXPECT_EQ(wintest::readBytes(path), "[b]\r\n");
    EXPECT_EQ(store.read(u8(path)).bytes, "[b]\r\n");
    EXPECT_EQ(folder.listing(), L"桌面 ● 工具");
}

TEST(WinFileStore, RefusesAReadOnlyFileAndLeavesItAsItWas)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::wstring path = folder.file(L"Ombrel.ini");
    const std::string before = "[设置]\r\nCount=1\r\n";
    ASSERT_TRUE(wintest::writeBytes(path, before));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    WinFileStore store;

    const Replacement result = store.replace(u8(path), "[设置]\r\nCount=2\r\n");

    EXPECT_EQ(result.reason, "文件是只读的");
    EXPECT_EQ(wintest::readBytes(path), before);
    EXPECT_EQ(folder.listing(), L"Ombrel.ini");
}

TEST(WinFileStore, KeepsTheOldFileWhenItCannotBeReplaced)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::wstring path = folder.file(L"Ombrel.ini");
    ASSERT_TRUE(wintest::writeBytes(path, "old"));
    // Another program holds the file open without letting it be deleted or renamed over.
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    WinFileStore store;

    const Replacement result = store.replace(u8(path), "new");
    CloseHandle(held);

    EXPECT_FALSE(result.ok());
    EXPECT_EQ(wintest::readBytes(path), "old");
    EXPECT_EQ(folder.listing(), L"Ombrel.ini");
}

TEST(WinFileStore, NamesTheReasonWhenTheFolderIsMissing)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string path = u8(folder.file(L"不存在\\Ombrel.ini"));
    WinFileStore store;

    const Replacement result = store.replace(path, "x");
    const FileBytes read = store.read(path);

    // The system's own sentence for the error that happened, without a line break.
    EXPECT_EQ(result.reason, wintext::systemMessage(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(result.reason.find_first_of("\r\n"), std::string::npos);
    EXPECT_FALSE(result.reason.empty());
    // A file that is not there is no error for reading: the profile is new.
    EXPECT_FALSE(read.exists);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(folder.listing(), L"");
}

// A replace killed half way leaves ".<name>.ombrel-tmp-xxxxxx" beside the
// profile (six small letters or digits); only such files go, whatever else
// lies there, backups the user made among them.
TEST(WinFileStore, RemovesLeftoverTemporaryFilesAndNothingElse)
{
    struct Entry {
        const wchar_t* name;
        bool goes;
    };
    const Entry files[] = {
        {L".Ombrel.ini.ombrel-tmp-abc123", true},
        {L".ombrel.INI.ombrel-tmp-q1w2e3", true},  // the profile's name matched without case, as Windows matches names
        {L"Ombrel.ini", false},
        {L"Ombrel.ini.backup", false},
        {L"Ombrel.ini.old001", false},
        {L"Ombrel.ini.abc123", false},
        {L".Ombrel.ini.ombrel-tmp-abc12", false},    // five characters
        {L".Ombrel.ini.ombrel-tmp-abcdefg", false},  // seven
        {L"Ombrel.ini.ombrel-tmp-abc123", false},    // no leading dot
        {L".other.ini.ombrel-tmp-abc123", false},
        {L".Ombrel.ini.ombrel-tmp-abc123.tmp", false},
    };
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    for (const Entry& e : files)
        ASSERT_TRUE(wintest::writeBytes(folder.file(e.name), "x"));
    // A folder with a leftover's name is not a leftover.
    ASSERT_TRUE(CreateDirectoryW(folder.file(L".Ombrel.ini.ombrel-tmp-dir123").c_str(), nullptr));
    ASSERT_TRUE(wintest::writeBytes(folder.file(L".Ombrel.ini.ombrel-tmp-dir123\\inside"), "x"));

    WinFileStore().removeLeftovers(u8(folder.file(L"Ombrel.ini")));

    std::vector<std::wstring> kept{L".Ombrel.ini.ombrel-tmp-dir123"};
    for (const Entry& e : files)
        if (!e.goes)
            kept.push_back(e.name);
    std::sort(kept.begin(), kept.end());
    std::wstring expected;
    for (const std::wstring& name : kept)
        expected += (expected.empty() ? L"" : L"|") + name;
    EXPECT_EQ(u8(folder.listing()), u8(expected));
    EXPECT_EQ(wintest::readBytes(folder.file(L".Ombrel.ini.ombrel-tmp-dir123\\inside")), "x");
}

TEST(WinFileStore, ReportsAFolderThatCannotBeReadAsAFile)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    WinFileStore store;

    const FileBytes read = store.read(u8(folder.path()));

    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.error.find_first_of("\r\n"), std::string::npos);
}

}  // namespace
