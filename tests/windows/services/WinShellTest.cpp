#include "platform/windows/services/WinShell.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

#include "platform/windows/WideText.h"

#include <shellapi.h>

// Only paths that do not exist are handed over here, so that no program is
// started: ShellExecuteW refuses them before looking for a handler.
TEST(WinShell, AMissingDocumentFailsWithTheSystemsReason)
{
    wintest::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    WinShell shell;
    const std::string missing = wintest::utf8(folder.file(L"不存在.txt"));

    const Result opened = shell.open(missing);
    ASSERT_FALSE(opened.ok());
    EXPECT_NE(opened.reason.find(missing), std::string::npos) << opened.reason;
    EXPECT_GT(opened.reason.size(), missing.size() + 10) << opened.reason;
}

TEST(WinShell, AFolderThatIsMissingOrAFileIsNotHandedOn)
{
    wintest::TempFolder folder;
    ASSERT_TRUE(folder.ok());
    ASSERT_TRUE(wintest::writeBytes(folder.file(L"tool"), "x"));
    WinShell shell;

    EXPECT_FALSE(shell.openFolder(wintest::utf8(folder.file(L"无此目录"))).ok());
    EXPECT_FALSE(shell.openFolder(wintest::utf8(folder.file(L"tool"))).ok());
    EXPECT_FALSE(shell.openFolder("").ok());
    EXPECT_FALSE(shell.open("").ok());
}

TEST(WinShell, ShellCodesBecomeSystemSentences)
{
    EXPECT_EQ(WinShell::reasonOf(SE_ERR_NOASSOC), wintext::systemMessage(ERROR_NO_ASSOCIATION));
    EXPECT_EQ(WinShell::reasonOf(SE_ERR_DDETIMEOUT), wintext::systemMessage(ERROR_DDE_FAIL));
    EXPECT_EQ(WinShell::reasonOf(SE_ERR_FNF), wintext::systemMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(WinShell::reasonOf(0), wintext::systemMessage(ERROR_NOT_ENOUGH_MEMORY));
}
