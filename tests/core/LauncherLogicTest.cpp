#include "core/launcher/ItemText.h"
#include "core/launcher/ListEdits.h"
#include "core/launcher/ListOrder.h"
#include "core/profile/Profile.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

ListOrder listOrder()
{
    return ListOrder(*coreServices().collation);
}

int compare(const std::string& a, const std::string& b)
{
    return coreServices().collation->compare(a, b);
}

Texts sorted(Texts entries)
{
    listOrder().sort(entries);
    return entries;
}

Texts inserted(const Texts& entries)
{
    Texts list;
    for (const std::string& entry : entries)
        list.insert(list.begin() + std::ptrdiff_t(listOrder().insertPosition(list, entry)), entry);
    return list;
}

std::optional<std::string> refusalOfNewItem(const std::string& path, const std::string& name)
{
    return ::refusalOfNewItem(path, name, *coreServices().codePage);
}

std::string repeated(const std::string& text, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += text;
    return out;
}

}  // namespace

TEST(ListOrderTest, SortsChineseByPinyinAndIgnoresLetterCase)
{
    // hua < ji < zhi; Latin letters before Han; case does not count.
    EXPECT_EQ(sorted({"● 记事本", "● 画图", "● 知乎", "● zip", "● Notepad", "● apple"}),
              Texts({"● apple", "● Notepad", "● zip", "● 画图", "● 记事本", "● 知乎"}));
    EXPECT_EQ(compare("● NOTEPAD", "● notepad"), 0);
    EXPECT_LT(compare("● Paint", "● Zip"), 0);
    EXPECT_GT(compare("● Paint", "● Notepad"), 0);
    // Texts of ASCII alone take the same order.
    EXPECT_EQ(sorted({"zip", "Notepad", "apple", "NOTEPAD"}), Texts({"apple", "Notepad", "NOTEPAD", "zip"}));
    EXPECT_LT(compare("Zip", "画图"), 0);
}

TEST(ListOrderTest, EqualEntriesKeepTheOrderTheyCameIn)
{
    const Texts came{"● b", "● A", "● B", "● a", "● 画图", "● b"};
    const Texts expected{"● A", "● a", "● b", "● B", "● b", "● 画图"};
    EXPECT_EQ(sorted(came), expected);
    // Sorting a loaded list gives what inserting one entry at a time gives.
    EXPECT_EQ(inserted(came), expected);
}

TEST(ListOrderTest, NewEntryGoesBetweenItsNeighbours)
{
    const Texts list{"● Notepad", "● Zip"};
    EXPECT_EQ(listOrder().insertPosition(list, "● Paint"), 1u);
    EXPECT_EQ(listOrder().insertPosition(list, "● notepad"), 1u);  // after its equal
    EXPECT_EQ(listOrder().insertPosition({}, "● x"), 0u);
}

TEST(ItemTextTest, MarkerFolderAndQuickLaunchRules)
{
    EXPECT_EQ(displayTextOf("记事本"), "● 记事本");
    EXPECT_EQ(itemNameOf("● ● x"), "x");
    EXPECT_EQ(itemNameOf("a● b"), "ab");
    EXPECT_EQ(itemNameOf("●x"), "●x");  // the marker includes its blank

    EXPECT_EQ(folderPart("/opt/my tools/edit", '/'), "/opt/my tools/");
    EXPECT_EQ(folderPart("D:\\Tools\\Editor\\edit.exe", '\\'), "D:\\Tools\\Editor\\");
    EXPECT_EQ(folderPart("edit", '/'), "");

    const std::string startMenu = "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
    EXPECT_EQ(quickLaunchFolder(startMenu),
              "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch");
    EXPECT_EQ(quickLaunchFolder("/home/u/.local/share/applications"), "/home/u/.local/share/applications");
    EXPECT_EQ(quickLaunchFolder("C:\\windows\\start menu"), "C:\\windows\\start menu");  // case counts
}

TEST(ListEditsTest, RefusesWhatTheProfileCouldNotGiveBack)
{
    EXPECT_EQ(refusalOfNewItem("", ""), "路径不能为空！！！");
    EXPECT_EQ(refusalOfNewItem("/bin/ls", ""), "名称不能为空！！！");
    EXPECT_EQ(refusalOfNewItem("/tmp/a\nb", "x"), "路径不能含有换行符！！！");
    EXPECT_EQ(refusalOfNewItem("/bin/ls", "x\ry"), "名称不能含有换行符！！！");
    EXPECT_EQ(refusalOfNewItem("/" + std::string(9999, 'a'), "x"), "路径太长，无法保存！！！");
    EXPECT_EQ(refusalOfNewItem("/" + std::string(9998, 'a'), "x"), std::nullopt);
    // "● " takes three bytes; Chinese two each.
    EXPECT_EQ(refusalOfNewItem("/bin/ls", repeated("画", 4999)), "名称太长，无法保存！！！");
    EXPECT_EQ(refusalOfNewItem("/bin/ls", repeated("画", 4997) + "ab"), std::nullopt);
    EXPECT_EQ(refusalOfNewItem(" /odd [x]=;# \"q\" ", " [y]=;#"), std::nullopt);
}

TEST(ListEditsTest, IndexIsRewrittenInListOrderAndOldKeysStay)
{
    TempFolder folder;
    folder.writeProfile("[标题]\nCount=3\n000=● a\n001=● b\n002=● c\n");
    ProfileEdit edit(profileAccess(), folder.profile());
    writeListIndex(edit, {"● a", "● c"});
    ASSERT_TRUE(edit.commit().ok());
    EXPECT_EQ(folder.readBytes("Ombrel.ini"),
              "[\xB1\xEA\xCC\xE2]\r\nCount=2\r\n000=\xA1\xF1 a\r\n001=\xA1\xF1 c\r\n002=\xA1\xF1 c\r\n");
}
