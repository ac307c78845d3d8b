#include "launcher/ItemText.h"
#include "launcher/ListEdits.h"
#include "launcher/ListOrder.h"
#include "profile/Profile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

QStringList sorted(QStringList entries)
{
    listOrder().sort(entries);
    return entries;
}

QStringList inserted(const QStringList& entries)
{
    QStringList list;
    for (const QString& entry : entries)
        list.insert(listOrder().insertPosition(list, entry), entry);
    return list;
}

}  // namespace

TEST(ListOrderTest, SortsChineseByPinyinAndIgnoresLetterCase)
{
    // hua < ji < zhi; Latin letters before Han; case does not count.
    EXPECT_EQ(sorted({"● 记事本", "● 画图", "● 知乎", "● zip", "● Notepad", "● apple"}),
              QStringList({"● apple", "● Notepad", "● zip", "● 画图", "● 记事本", "● 知乎"}));
    EXPECT_EQ(listOrder().compare("● NOTEPAD", "● notepad"), 0);
    EXPECT_LT(listOrder().compare("● Paint", "● Zip"), 0);
    EXPECT_GT(listOrder().compare("● Paint", "● Notepad"), 0);
}

TEST(ListOrderTest, EqualEntriesKeepTheOrderTheyCameIn)
{
    const QStringList came{"● b", "● A", "● B", "● a", "● 画图", "● b"};
    const QStringList expected{"● A", "● a", "● b", "● B", "● b", "● 画图"};
    EXPECT_EQ(sorted(came), expected);
    // Sorting a loaded list gives what inserting one entry at a time gives.
    EXPECT_EQ(inserted(came), expected);
}

TEST(ListOrderTest, NewEntryGoesBetweenItsNeighbours)
{
    const QStringList list{"● Notepad", "● Zip"};
    EXPECT_EQ(listOrder().insertPosition(list, "● Paint"), 1);
    EXPECT_EQ(listOrder().insertPosition(list, "● notepad"), 1);  // after its equal
    EXPECT_EQ(listOrder().insertPosition({}, "● x"), 0);
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

    const QString startMenu = "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu";
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
    EXPECT_EQ(refusalOfNewItem("/" + QString(9999, 'a'), "x"), "路径太长，无法保存！！！");
    EXPECT_EQ(refusalOfNewItem("/" + QString(9998, 'a'), "x"), std::nullopt);
    // "● " takes three bytes; Chinese two each.
    EXPECT_EQ(refusalOfNewItem("/bin/ls", QString(4999, QChar(0x753B))), "名称太长，无法保存！！！");
    EXPECT_EQ(refusalOfNewItem("/bin/ls", QString(4998, QChar(0x753B)).chopped(1) + "ab"), std::nullopt);
    EXPECT_EQ(refusalOfNewItem(" /odd [x]=;# \"q\" ", " [y]=;#"), std::nullopt);
}

TEST(ListEditsTest, IndexIsRewrittenInListOrderAndOldKeysStay)
{
    TempFolder folder;
    folder.writeProfile("[标题]\nCount=3\n000=● a\n001=● b\n002=● c\n");
    ProfileEdit edit(folder.profile());
    writeListIndex(edit, {"● a", "● c"});
    ASSERT_TRUE(edit.commit().ok());
    EXPECT_EQ(folder.readBytes("Ombrel.ini"),
              QByteArray("[标题]\r\nCount=2\r\n000=\xA1\xF1 a\r\n001=\xA1\xF1 c\r\n002=\xA1\xF1 c\r\n")
                  .replace("标题", "\xB1\xEA\xCC\xE2"));
}
