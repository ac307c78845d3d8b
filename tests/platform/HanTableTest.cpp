#include "core/text/HanTable.h"
#include "core/text/Pinyin.h"
#include "core/text/Utf8.h"
#include "platform/linux/Cp936Table.h"
#include "platform/linux/IcuCollation.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utrans.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

int sign(int n) { return (n > 0) - (n < 0); }

// Every character of the table lies in the basic plane.
std::string utf8Of(char32_t c) { return utf8::fromUtf16(std::u16string(1, char16_t(c))); }

std::vector<std::string> readingsOf(char32_t c)
{
    std::vector<std::string> readings;
    for (const std::uint16_t number : pinyin::readingsOf(c))
        readings.emplace_back(pinyin::syllable(number));
    return readings;
}

// Tone marks off by ICU's transliterator, a way apart from the table's own.
class Toneless {
public:
    Toneless()
    {
        const std::u16string rules = u"::NFD; u\u0308 > v; U\u0308 > v; ::[:Mn:] Remove; ::Lower;";
        UErrorCode status = U_ZERO_ERROR;
        transliterator_ = utrans_openU(u"toneless", -1, UTRANS_FORWARD, reinterpret_cast<const UChar*>(rules.data()),
                                       int32_t(rules.size()), nullptr, &status);
    }
    ~Toneless() { utrans_close(transliterator_); }
    std::string operator()(const std::string& reading) const
    {
        UChar text[64];
        int32_t length = 0, limit = 0;
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8(text, 64, &length, reading.data(), int32_t(reading.size()), &status);
        limit = length;
        utrans_transUChars(transliterator_, text, &length, 64, 0, &limit, &status);
        std::string out;
        for (int32_t i = 0; i < length; ++i)
            out += text[i] < 0x80 ? char(text[i]) : '?';
        return out;
    }

private:
    UTransliterator* transliterator_ = nullptr;
};

}  // namespace

// The readings are Unihan's: kMandarin's first is the first, and every
// reading of kMandarin and kHanyuPinyin is there. Every Han character of
// GBK has its slot.
TEST(HanTable, HoldsUnihansReadingsWithoutTones)
{
    std::ifstream source(OMBREL_UNIHAN_READINGS);
    ASSERT_TRUE(source) << OMBREL_UNIHAN_READINGS;
    const Toneless toneless;
    std::map<char32_t, std::vector<std::string>> mandarin, hanyu;
    std::string line;
    while (std::getline(source, line)) {
        std::istringstream fields(line);
        std::string code, field, value;
        if (!(fields >> code >> field) || code.rfind("U+", 0) != 0)
            continue;
        const auto c = char32_t(std::stoul(code.substr(2), nullptr, 16));
        if (han::slotOf(c) < 0)
            continue;
        while (fields >> value) {
            if (field == "kMandarin")
                mandarin[c].push_back(toneless(value));
            if (field != "kHanyuPinyin")
                continue;
            std::istringstream list(value.substr(value.find(':') + 1));
            for (std::string one; std::getline(list, one, ',');)
                hanyu[c].push_back(toneless(one));
        }
    }
    ASSERT_GT(mandarin.size(), 26000u);
    for (const auto& [c, readings] : mandarin) {
        const std::vector<std::string> table = readingsOf(c);
        ASSERT_FALSE(table.empty()) << std::hex << unsigned(c);
        EXPECT_EQ(table.front(), readings.front()) << std::hex << unsigned(c);
        for (const std::string& reading : readings)
            EXPECT_NE(std::find(table.begin(), table.end(), reading), table.end()) << std::hex << unsigned(c);
    }
    for (const auto& [c, readings] : hanyu) {
        const std::vector<std::string> table = readingsOf(c);
        for (const std::string& reading : readings)
            EXPECT_NE(std::find(table.begin(), table.end(), reading), table.end()) << std::hex << unsigned(c) << ' ' << reading;
    }
    for (const char16_t c : cp936::kDecode) {
        if (c && u_hasBinaryProperty(c, UCHAR_UNIFIED_IDEOGRAPH)) {
            ASSERT_GE(han::slotOf(c), 0) << std::hex << unsigned(c);
        }
    }
    // Readings the two fields lack for simplified characters come from the others.
    EXPECT_EQ(readingsOf(U'长'), (std::vector<std::string>{"zhang", "chang"}));
    EXPECT_EQ(readingsOf(U'乐'), (std::vector<std::string>{"le", "yue"}));
}

// Ranked characters in the order of their ranks are in ICU's order, equal
// ranks being equal to ICU; what the table leaves to ICU is not in GBK.
TEST(HanTable, RanksCharactersInIcusOrder)
{
    IcuCollation collation;
    std::vector<std::pair<std::uint16_t, char32_t>> ranked;
    for (char32_t c = 0; c < 0x80; ++c) {
        if (han::kAsciiRank[c] == 0)
            EXPECT_EQ(collation.compareWithIcu("a" + utf8Of(c), "a"), 0) << unsigned(c);
        else
            ranked.emplace_back(han::kAsciiRank[c], c);
    }
    ranked.emplace_back(han::kCircleRank, U'\u25CF');
    for (char32_t c = 0x3400; c <= 0xFAFF; ++c) {
        const int slot = han::slotOf(c);
        if (slot < 0)
            continue;
        if (han::kRank[slot] != han::kUnranked) {
            ranked.emplace_back(han::kRank[slot], c);
        } else {
            EXPECT_EQ(cp936::kEncode[c], 0) << std::hex << unsigned(c);
        }
    }
    std::sort(ranked.begin(), ranked.end());
    ASSERT_GT(ranked.size(), 28000u);
    for (std::size_t i = 1; i < ranked.size(); ++i) {
        const int expected = ranked[i - 1].first < ranked[i].first ? -1 : 0;
        ASSERT_EQ(sign(collation.compareWithIcu(utf8Of(ranked[i - 1].second), utf8Of(ranked[i].second))), expected)
            << std::hex << unsigned(ranked[i - 1].second) << " " << unsigned(ranked[i].second);
    }
}

// Names of ASCII, the marker and GBK's Han characters are ordered by the
// table, others by ICU; the list must not change order either way.
TEST(HanTable, OrdersMixedNamesExactlyAsIcu)
{
    IcuCollation collation;
    std::mt19937 random(24);
    std::vector<char32_t> han;
    for (char32_t c = 0x4E00; c <= 0x9FA5; c += 1 + char32_t(random() % 40))
        han.push_back(c);
    // Characters that sort alike, polyphones and neighbours in pinyin.
    for (const char32_t c : std::u32string(U"阿啊吖嗄腌锕长行乐重中仲众冲虫记纪技季寄事是市本笨画话化图土吐"))
        han.push_back(c);
    const std::string latin = "aAbBzZ09 _-.()'~@#";
    const auto makeName = [&](const std::string& also) {
        std::string name = random() % 4 ? "● " : "";
        for (int n = int(random() % 6); n >= 0; --n)
            name += random() % 3 ? utf8Of(han[random() % han.size()]) : std::string(1, latin[random() % latin.size()]);
        return random() % 2 ? name + also : also + name;
    };
    std::vector<std::string> names, others;
    for (int i = 0; i < 3000; ++i)
        names.push_back(makeName(""));
    for (int i = 0; i < 100; ++i)  // 〇 and é are beyond the table
        others.push_back(makeName(i % 2 ? "〇" : "é"));
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t j = i; j < std::min(names.size(), i + 60); ++j)
            ASSERT_EQ(sign(collation.compare(names[i], names[j])), sign(collation.compareWithIcu(names[i], names[j])))
                << names[i] << " / " << names[j];
        const std::string& other = others[i % others.size()];
        ASSERT_EQ(sign(collation.compare(names[i], other)), sign(collation.compareWithIcu(names[i], other)));
    }
    // Sorting by the table's keys gives ICU's order, equal names kept as they came.
    std::vector<std::string> byIcu = names;
    std::stable_sort(byIcu.begin(), byIcu.end(),
                     [&](const std::string& a, const std::string& b) { return collation.compareWithIcu(a, b) < 0; });
    const std::vector<std::string> keys = collation.sortKeys(names);
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    for (std::size_t i = 0; i < order.size(); ++i)
        ASSERT_EQ(names[order[i]], byIcu[i]) << i;
}
