#include "core/search/ListFind.h"
#include "core/search/SearchUrl.h"
#include "core/status/StatusText.h"

#include <gtest/gtest.h>

TEST(StatusTextTest, WeekdayNamesRunFromSundayAndOthersAreEmpty)
{
    const std::vector<std::string> names{"日", "一", "二", "三", "四", "五", "六"};
    for (short week = 1; week <= 7; ++week)
        EXPECT_EQ(weekdayName(week), names[std::size_t(week - 1)]);
    EXPECT_EQ(weekdayName(0), "");
    EXPECT_EQ(weekdayName(8), "");
    EXPECT_EQ(weekdayName(-1), "");
}

TEST(StatusTextTest, TheDateLineDropsLeadingZerosOfTheDateButNotOfTheTime)
{
    EXPECT_EQ(dateLine(LocalTime::at(2026, 12, 6, 16, 49, 53)), "2026年12月6日 星期日 €16:49:53");
    EXPECT_EQ(dateLine(LocalTime::at(2026, 12, 12, 0, 0, 0)), "2026年12月12日 星期六 €00:00:00");
    EXPECT_EQ(dateLine(LocalTime::at(2027, 1, 5, 8, 3, 7)), "2027年1月5日 星期二 €08:03:07");
    EXPECT_EQ(timeOfDay(LocalTime::at(2027, 1, 5, 9, 5, 0)), "09:05:00");
}

TEST(StatusTextTest, UpTimeKeepsCountingHoursAndNeverWraps)
{
    using std::chrono::milliseconds;
    EXPECT_EQ(upTimeText(milliseconds(5000)), "00:00:05");
    EXPECT_EQ(upTimeText(milliseconds(5999)), "00:00:05");
    EXPECT_EQ(upTimeText(milliseconds(36'000'000)), "10:00:00");
    EXPECT_EQ(upTimeText(milliseconds(36'001'000)), "10:00:01");
    EXPECT_EQ(upTimeText(milliseconds((100 * 3600 + 5 * 60 + 9) * 1000LL)), "100:05:09");
    // Fifty days: past the 49.7 days at which a 32-bit millisecond count wraps.
    EXPECT_EQ(upTimeText(std::chrono::hours(50 * 24)), "1200:00:00");
}

TEST(StatusTextTest, BootModeMessages)
{
    EXPECT_EQ(bootModeMessage(0), "系统正常模式已运行");
    EXPECT_EQ(bootModeMessage(1), "系统安全模式已运行");
    EXPECT_EQ(bootModeMessage(2), "系统网络安全模式已运行");
    EXPECT_EQ(bootModeMessage(3), "系统正常模式已运行");
}

TEST(SearchUrlTest, EveryServiceAndCategoryTakesTheQueryAsTyped)
{
    const std::string q = " 中文 a&b#c%20d ";
    using E = SearchEngine;
    using C = SearchCategory;
    EXPECT_EQ(searchUrl(E::Baidu, C::Web, q), "http://www.baidu.com/s?wd=" + q);
    EXPECT_EQ(searchUrl(E::Baidu, C::Questions, q),
              "http://zhidao.baidu.com/q?word= " + q + "&fr=search&ct=17&pn=0&tn=ikaslist&rn=30");
    EXPECT_EQ(searchUrl(E::Baidu, C::Mp3, q), "http://mp3.baidu.com/m?f=ms&rn=&tn=baidump3&ct=134217728&word=" + q);
    EXPECT_EQ(searchUrl(E::Baidu, C::Pictures, q),
              "http://image.baidu.com/i?tn=baiduimage&ct=201326592&lm=-1&cl=2&word=" + q);
    EXPECT_EQ(searchUrl(E::Baidu, C::Video, q),
              "http://video.baidu.com/v?ct=301989888&rn=20&pn=0&db=0&s=6&word=" + q);
    EXPECT_EQ(searchUrl(E::Baidu, C::News, q), "http://news.baidu.com/ns?cl=2&rn=20&tn=news&word=" + q);
    for (C category : {C::Web, C::Questions, C::News}) {
        EXPECT_EQ(searchUrl(E::Google, category, q), "http://www.google.cn/search?hl=zh-CN&q=" + q);
        EXPECT_EQ(searchUrl(E::Gougou, category, q), "http://www.gougou.com/search?search=" + q);
    }
}

TEST(ListFindTest, StepsThroughMatchesThenReportsTheEndAndStartsAgain)
{
    const std::vector<std::string> list{"● QQ", "● 记事本", "● QQ音乐"};
    std::size_t start = 0;
    EXPECT_EQ(findNextEntry(list, "QQ", start), 0u);
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(findNextEntry(list, "QQ", start), 2u);
    EXPECT_EQ(findNextEntry(list, "QQ", start), std::nullopt);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(findNextEntry(list, "QQ", start), 0u);

    EXPECT_EQ(findNextEntry(list, "qq", start = 0), std::nullopt);  // case counts
    EXPECT_EQ(findNextEntry(list, "", start = 0), 0u);               // the empty text is everywhere
    EXPECT_EQ(findNextEntry(list, "● ", start = 1), 1u);             // the marker counts too
    EXPECT_EQ(findNextEntry(std::vector<std::string>{}, "x", start = 0), std::nullopt);
    EXPECT_EQ(start, 0u);
    // A start left beyond the end by deletions: the end is reported, then a new start.
    EXPECT_EQ(findNextEntry(list, "QQ", start = 7), std::nullopt);
    EXPECT_EQ(start, 0u);

    // Past 32,767 entries the find still reaches the last match and the end.
    std::vector<std::string> many(40000, "● 记事本");
    many.front() = many.back() = "● QQ";
    EXPECT_EQ(findNextEntry(many, "QQ", start), 0u);
    EXPECT_EQ(findNextEntry(many, "QQ", start), 39999u);
    EXPECT_EQ(findNextEntry(many, "QQ", start), std::nullopt);
}

// A query of letters also finds the Han characters it spells in pinyin.
TEST(ListFindTest, FindsByPinyinAsWellAsByTheCharactersThemselves)
{
    const struct {
        const char* entry;
        const char* query;
        bool found;
    } cases[] = {
        {"● 记事本", "jsb", true},         {"● 记事本", "JSB", true},       // initials, either case
        {"● 记事本", "jishiben", true},    {"● 记事本", "JiShiBen", true},  // whole syllables
        {"● 记事本", "jishib", true},      {"● 记事本", "shiben", true},    // both at once, anywhere
        {"● 记事本", "记shiben", true},    {"● 记事本", "jsbb", false},
        {"● 记事本", "jishibe", false},    {"● 记事本", "js b", false},     // no part syllables; a space is a space
        {"● 长城宽带", "changcheng", true}, {"● 长城宽带", "zhangc", true},  // either reading of a polyphone
        {"● 银行", "yinhang", true},        {"● 银行", "yinxing", true},    {"● 银行", "yx", true},
        {"● 中国", "zhg", true},            {"● 中国", "zhonguo", false},   // zh, ch and sh as initials
        {"● 绿色", "lvse", true},           {"● 绿色", "luse", true},       // ü typed as v or u
        {"● 女装", "nvz", true},            {"● QQ音乐", "QQyy", true},     // Latin and Han mixed
        {"● QQ音乐", "qqyy", false},        {"● QQ音乐", "QQ yinyue", false},
        {"● QQ", "qq", false},              {"● Notepad", "notepad", false}, // other letters keep their case
        {"● 画图", "ht", true},             {"● 画图", "● h", true},        {"● 画图", "●h", false},
        {"● 画图\xff", "ht", true},         {"● 龘", "d", true},            {"● \xe8\xae", "j", false},
    };
    for (const auto& c : cases) {
        std::size_t start = 0;
        EXPECT_EQ(findNextEntry({c.entry}, c.query, start).has_value(), c.found) << c.entry << " / " << c.query;
    }

    // A query longer than the matcher's first word of places.
    std::string longEntry = "● ", longQuery;
    for (int i = 0; i < 10; ++i)
        longEntry += "记事本", longQuery += i == 9 ? "jsb" : "jishiben";
    std::size_t start = 0;
    EXPECT_TRUE(findNextEntry({longEntry}, longQuery, start));
    EXPECT_FALSE(findNextEntry({longEntry}, longQuery + "b", start = 0));

    // Matches by pinyin and by the text itself step through the list alike.
    const std::vector<std::string> list{"● QQ", "● 记事本", "● 画图", "● jsb 极速版"};
    start = 0;
    EXPECT_EQ(findNextEntry(list, "jsb", start), 1u);
    EXPECT_EQ(findNextEntry(list, "jsb", start), 3u);
    EXPECT_EQ(findNextEntry(list, "jsb", start), std::nullopt);
    EXPECT_EQ(findNextEntry(list, "jsb", start), 1u);
}
