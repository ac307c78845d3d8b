#include "core/launcher/ListIndex.h"
#include "core/profile/Profile.h"
#include "core/window/LeadingNumber.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

Texts loadList(const std::string& profileText)
{
    TempFolder folder;
    folder.writeProfile(profileText);
    return readListIndex(ProfileSnapshot(profileAccess(), folder.profile()));
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfATypedText)
{
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("3"), 3);
    EXPECT_EQ(leadingNumber("3x"), 3);
    EXPECT_EQ(leadingNumber("  42 items"), 42);
    EXPECT_EQ(leadingNumber("-7"), -7);
    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("1e3"), 1000);
    EXPECT_EQ(leadingNumber("1e"), 1);
    EXPECT_EQ(leadingNumber("+"), 0);
}

TEST(ListIndex, KeysAreZeroPaddedToThreeDigits)
{
    EXPECT_EQ(listKey(0), "000");
    EXPECT_EQ(listKey(7), "007");
    EXPECT_EQ(listKey(999), "999");
    EXPECT_EQ(listKey(1000), "1000");
}

TEST(ListIndex, CountIsReadAsItsLeadingNumberAndKeptWithinSixteenBits)
{
    EXPECT_EQ(listCount(""), 0u);
    EXPECT_EQ(listCount("3x"), 3u);
    EXPECT_EQ(listCount("2.5"), 2u);
    EXPECT_EQ(listCount("0.5"), 0u);
    EXPECT_EQ(listCount("-4"), 0u);
    EXPECT_EQ(listCount("99999999"), 32767u);
}

TEST(ListIndex, LoadsEntriesAsStoredWithoutCheckingThem)
{
    EXPECT_EQ(loadList("[标题]\nCount=3\n000=● 画图\n001=● 记事本\n002=hand written\n"),
              (Texts{"● 画图", "● 记事本", "hand written"}));
    EXPECT_EQ(loadList("[标题]\nCount=2x\n000=● a\n001=● b\n002=● c\n"), (Texts{"● a", "● b"}));
}

TEST(ListIndex, MissingKeysGiveEmptyEntriesAndStaleKeysBeyondCountAreIgnored)
{
    EXPECT_EQ(loadList("[标题]\nCount=4\n000=● a\n002=● c\n"), (Texts{"● a", "", "● c", ""}));
    EXPECT_TRUE(loadList("[标题]\nCount=0\n000=● old\n001=● older\n").empty());
    EXPECT_TRUE(loadList("[other]\nCount=3\n").empty());
    EXPECT_TRUE(loadList("").empty());
}

}  // namespace
