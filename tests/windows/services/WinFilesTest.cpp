#include "platform/windows/services/WinFiles.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

TEST(WinFiles, GivesTheStoredNameOfAPlainFileOnly)
{
    wintest::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    ASSERT_TRUE(wintest::writeBytes(folder.file(L"闹钟 Ring.WAV"), "x"));
    ASSERT_TRUE(CreateDirectoryW(folder.file(L"子目录.exe").c_str(), nullptr));
    const std::string base = wintest::utf8(folder.path()) + "\\";
    const WinFiles files;

    // The name as stored, also when the path spells it in another case.
    EXPECT_EQ(files.fileNameOf(base + "闹钟 Ring.WAV"), "闹钟 Ring.WAV");
    EXPECT_EQ(files.fileNameOf(base + "闹钟 ring.wav"), "闹钟 Ring.WAV");

    EXPECT_EQ(files.fileNameOf(base + "子目录.exe"), "");
    EXPECT_EQ(files.fileNameOf(base + "missing.exe"), "");
    EXPECT_EQ(files.fileNameOf(base + "闹钟 Ring.WAV\\"), "");
    EXPECT_EQ(files.fileNameOf(base + "闹钟*"), "");
    EXPECT_EQ(files.fileNameOf(base + "NUL"), "");
    EXPECT_EQ(files.fileNameOf(base + "com1.txt"), "");
    EXPECT_EQ(files.fileNameOf(""), "");
    EXPECT_EQ(files.separator(), '\\');
}

TEST(WinFiles, KeepsHiddenFilesButNotHiddenFolders)
{
    wintest::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    ASSERT_TRUE(wintest::writeBytes(folder.file(L"hidden.exe"), "x"));
    ASSERT_TRUE(SetFileAttributesW(folder.file(L"hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryW(folder.file(L"hidden").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(folder.file(L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    const WinFiles files;

    EXPECT_EQ(files.fileNameOf(wintest::utf8(folder.file(L"hidden.exe"))), "hidden.exe");
    EXPECT_EQ(files.fileNameOf(wintest::utf8(folder.file(L"hidden"))), "");
}
