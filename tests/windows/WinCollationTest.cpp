#include "TempFolder.h"

#include "platform/windows/WinCollation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

namespace {

int sign(int v) { return (v > 0) - (v < 0); }

// The order that a list box of the Windows program gives: CompareStringA on
// the user's locale, letter case ignored.
int windowsCompare(const std::string& a, const std::string& b)
{
    const std::string x = wintest::ansi(a);
    const std::string y = wintest::ansi(b);
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.data(), int(x.size()), y.data(), int(y.size()))
           - CSTR_EQUAL;
}

// Names as they stand in the launcher's list: Latin in both cases, digits,
// Han, full-width letters, the "● " of group items, punctuation and blanks.
const std::vector<std::string> kItems = {
    "Zip", "zip", "ZIP", "apple", "Apple", "Banana", "b", "10", "2", "1", "画图", "记事本", "宽带连接", "阿里",
    "中国", "Ａ", "ａ", "Ｚ", "１", "● 记事本", "● Apple", "●", "_x", "-x", "x-", "x", " x", "x y", "xy",
    "a_b", "a-b", "ab", "a b", "", "标题", "€", "《书》",
};

TEST(WinCollation, OrdersAsTheWindowsListBoxDoes)
{
    wchar_t locale[LOCALE_NAME_MAX_LENGTH];
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    ASSERT_STREQ(locale, L"zh-CN") << "run under LC_ALL=zh_CN.UTF-8";
    const WinCollation collation;
    for (const std::string& a : kItems)
        for (const std::string& b : kItems)
            EXPECT_EQ(sign(collation.compare(a, b)), sign(windowsCompare(a, b))) << '"' << a << "\" / \"" << b << '"';

    // Shown for comparing with the order of other systems.
    std::vector<std::string> sorted = kItems;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const std::string& a, const std::string& b) { return windowsCompare(a, b) < 0; });
    std::cout << "Windows order:";
    for (const std::string& item : sorted)
        std::cout << " [" << item << ']';
    std::cout << '\n';
}

TEST(WinCollation, SortKeysOrderAsCompareDoes)
{
    const WinCollation collation;
    const std::vector<std::string> keys = collation.sortKeys(kItems);
    ASSERT_EQ(keys.size(), kItems.size());
    for (size_t i = 0; i < kItems.size(); ++i)
        for (size_t j = 0; j < kItems.size(); ++j)
            EXPECT_EQ(sign(keys[i].compare(keys[j])), sign(collation.compare(kItems[i], kItems[j])))
                << '"' << kItems[i] << "\" / \"" << kItems[j] << '"';
}

}  // namespace
