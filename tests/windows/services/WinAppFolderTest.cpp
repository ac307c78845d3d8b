#include "platform/windows/services/WinAppFolder.h"

#include <gtest/gtest.h>

TEST(WinAppFolder, IsTheFolderOfTheTestProgram)
{
    const WinAppFolder folder;
    EXPECT_FALSE(folder.path().empty());
    EXPECT_EQ(folder.path(), folder.shippedFilesFolder());
    EXPECT_NE(folder.path().back(), '\\');
}
