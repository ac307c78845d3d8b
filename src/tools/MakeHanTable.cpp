// Writes the Han table of core/text/HanTable.h as two C++ sources: the
// pinyin readings without tones, from Unihan's reading fields, and each
// character's rank in ICU's Chinese collation as the Linux list orders it.
//
// Usage: ombrel_make_han Unihan_Readings.txt READINGS.cpp RANKS.cpp
//
// Built for the machine that builds, so the cross build takes its table
// from the same ICU and Unihan as the Linux build.

#include <unicode/ucol.h>
#include <unicode/unorm2.h>
#include <unicode/uscript.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The slots of core/text/HanTable.h: Extension A and the unified block,
// then the compatibility block, where GBK has a few characters.
constexpr char32_t kMainFirst = 0x3400, kMainLast = 0x9FFF;
constexpr char32_t kCompatFirst = 0xF900, kCompatLast = 0xFAFF;
constexpr int kSlots = int(kMainLast - kMainFirst + 1 + kCompatLast - kCompatFirst + 1);

int slotOf(char32_t c)
{
    if (c >= kMainFirst && c <= kMainLast)
        return int(c - kMainFirst);
    if (c >= kCompatFirst && c <= kCompatLast)
        return int(c - kCompatFirst + (kMainLast - kMainFirst + 1));
    return -1;
}

char32_t characterOf(int slot)
{
    const int main = int(kMainLast - kMainFirst + 1);
    return slot < main ? kMainFirst + char32_t(slot) : kCompatFirst + char32_t(slot - main);
}

std::u16string utf16Of(char32_t c)
{
    if (c < 0x10000)
        return std::u16string(1, char16_t(c));
    c -= 0x10000;
    return {char16_t(0xD800 + (c >> 10)), char16_t(0xDC00 + (c & 0x3FF))};
}

// A reading with its tone marks taken off: "zhōng" is "zhong", "lǜ" is
// "lv" as pinyin keyboards write it, "ê̄" is "e", "ḿ" is "m". Empty when
// anything but Latin letters is left.
std::string toneless(const std::string& reading, const UNormalizer2* nfd)
{
    UChar in[64], out[128];
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(in, 64, &length, reading.data(), int32_t(reading.size()), &status);
    const int32_t n = unorm2_normalize(nfd, in, length, out, 128, &status);
    if (U_FAILURE(status))
        return {};
    std::string plain;
    for (int32_t i = 0; i < n; ++i) {
        const UChar c = out[i];
        if (c == 0x0308 && !plain.empty() && plain.back() == 'u')
            plain.back() = 'v';
        else if (c >= 0x0300 && c <= 0x036F)
            continue;
        else if (c >= 'a' && c <= 'z')
            plain += char(c);
        else if (c >= 'A' && c <= 'Z')
            plain += char(c - 'A' + 'a');
        else
            return {};
    }
    return plain;
}

// The readings a field's value lists, in its order.
std::vector<std::string> readingsIn(const std::string& field, const std::string& value)
{
    std::vector<std::string> readings;
    std::istringstream words(value);
    std::string word;
    while (words >> word) {
        if (field == "kHanyuPinlu") {  // "lè(283)": by frequency, most used first
            word = word.substr(0, word.find('('));
            readings.push_back(word);
        } else if (field == "kMandarin") {
            readings.push_back(word);
        } else {  // "10028.100:zhōng,zhòng", places then readings
            const auto colon = word.find(':');
            if (colon == std::string::npos)
                continue;
            std::istringstream list(word.substr(colon + 1));
            std::string one;
            while (std::getline(list, one, ','))
                readings.push_back(one);
        }
    }
    return readings;
}

std::vector<std::uint8_t> primaryOf(const UCollator* collator, char32_t c, std::vector<std::uint8_t>& secondary)
{
    const std::u16string text = utf16Of(c);
    std::uint8_t key[64];
    const int32_t n = ucol_getSortKey(collator, reinterpret_cast<const UChar*>(text.data()), int32_t(text.size()), key, 64);
    std::vector<std::uint8_t> primary;
    int32_t i = 0;
    while (i < n && key[i] != 0x01)
        primary.push_back(key[i++]);
    secondary.assign(key + std::min(i + 1, n), key + std::max(n - 1, std::min(i + 1, n)));
    return primary;
}

template <typename T>
void writeArray(std::ofstream& file, const char* declaration, const std::vector<T>& values)
{
    file << declaration << " = {\n";
    for (std::size_t i = 0; i < values.size(); ++i)
        file << unsigned(values[i]) << (i % 16 == 15 ? ",\n" : ",");
    file << "};\n\n";
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s Unihan_Readings.txt READINGS.cpp RANKS.cpp\n", argv[0]);
        return 2;
    }
    std::ifstream source(argv[1]);
    if (!source) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfd = unorm2_getNFDInstance(&status);

    // The fields in the order their readings count: kMandarin names the most
    // common reading; kHanyuPinlu ranks readings by use; kHanyuPinyin
    // covers most characters; the two modern dictionaries add the readings
    // of simplified characters that kHanyuPinyin, whose dictionary is of the
    // traditional forms, lacks (长 cháng, 乐 yuè).
    const std::vector<std::string> fields = {"kMandarin", "kHanyuPinlu", "kHanyuPinyin", "kTGHZ2013", "kXHC1983"};
    std::vector<std::map<int, std::vector<std::string>>> byField(fields.size());
    std::string line;
    int unreadable = 0;
    while (std::getline(source, line)) {
        if (line.rfind("U+", 0) != 0)
            continue;
        const auto tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos)
            continue;
        const auto field = std::find(fields.begin(), fields.end(), line.substr(tab1 + 1, tab2 - tab1 - 1));
        if (field == fields.end())
            continue;
        const int slot = slotOf(char32_t(std::stoul(line.substr(2, tab1 - 2), nullptr, 16)));
        if (slot < 0)
            continue;
        for (const std::string& reading : readingsIn(*field, line.substr(tab2 + 1))) {
            const std::string plain = toneless(reading, nfd);
            if (plain.empty())
                ++unreadable;
            else
                byField[std::size_t(field - fields.begin())][slot].push_back(plain);
        }
    }
    if (unreadable)
        std::fprintf(stderr, "ombrel_make_han: %d readings with letters beyond pinyin's left out\n", unreadable);

    std::vector<std::vector<std::string>> readings(kSlots);
    std::map<std::string, int> syllableIndex;
    for (int slot = 0; slot < kSlots; ++slot) {
        for (const auto& field : byField) {
            const auto found = field.find(slot);
            if (found == field.end())
                continue;
            for (const std::string& reading : found->second)
                if (std::find(readings[slot].begin(), readings[slot].end(), reading) == readings[slot].end())
                    readings[slot].push_back(reading);
        }
        for (const std::string& reading : readings[slot])
            syllableIndex.emplace(reading, 0);
    }
    std::vector<char> syllableText;
    std::vector<std::uint16_t> syllableStart;
    for (auto& [syllable, index] : syllableIndex) {
        index = int(syllableStart.size());
        syllableStart.push_back(std::uint16_t(syllableText.size()));
        syllableText.insert(syllableText.end(), syllable.begin(), syllable.end());
    }
    syllableStart.push_back(std::uint16_t(syllableText.size()));

    // One entry per slot: no reading, the one syllable, or (bit 15 set) the
    // number of a polyphone, whose syllables lie in kPolySyllables from
    // kPolyStart[number] to kPolyStart[number + 1].
    std::vector<std::uint16_t> reading(kSlots, 0xFFFF), polyStart, polySyllables;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (readings[slot].size() == 1) {
            reading[slot] = std::uint16_t(syllableIndex[readings[slot][0]]);
        } else if (readings[slot].size() > 1) {
            reading[slot] = std::uint16_t(0x8000 | polyStart.size());
            polyStart.push_back(std::uint16_t(polySyllables.size()));
            for (const std::string& r : readings[slot])
                polySyllables.push_back(std::uint16_t(syllableIndex[r]));
        }
    }
    polyStart.push_back(std::uint16_t(polySyllables.size()));
    if (syllableStart.size() > 0x8000 || polyStart.size() > 0x8000 || polySyllables.size() > 0xFFFF) {
        std::fprintf(stderr, "ombrel_make_han: the readings outgrow the table's 16-bit numbers\n");
        return 1;
    }

    // The ranks: the Linux list's collation (platform/linux/IcuCollation.cpp),
    // each character's key at secondary strength. A character whose key is
    // one primary weight and the common secondary weight of "a" orders in a
    // text as that weight does, so ranks of the weights give ICU's order. A
    // character of another form (several weights, or one that is not common)
    // keeps rank 0xFFFF, and texts holding it go to ICU itself.
    status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("zh_CN", &status);
    ucol_setStrength(collator, UCOL_SECONDARY);
    const int32_t hanLast[] = {USCRIPT_UNKNOWN, USCRIPT_HAN};
    ucol_setReorderCodes(collator, hanLast, 2, &status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "ombrel_make_han: cannot open ICU's Chinese collation\n");
        return 1;
    }
    std::vector<std::uint8_t> common;
    primaryOf(collator, U'a', common);
    std::vector<char32_t> characters;
    for (char32_t c = 0; c < 0x80; ++c)
        characters.push_back(c);
    characters.push_back(U'\u25CF');
    for (int slot = 0; slot < kSlots; ++slot)
        characters.push_back(characterOf(slot));
    std::vector<std::pair<std::vector<std::uint8_t>, char32_t>> weighted;
    std::map<char32_t, std::uint16_t> rank;
    for (const char32_t c : characters) {
        std::vector<std::uint8_t> secondary;
        std::vector<std::uint8_t> primary = primaryOf(collator, c, secondary);
        if (primary.empty() && secondary.empty())
            rank[c] = 0;  // ignored by the collation
        else if (!primary.empty() && secondary == common)
            weighted.emplace_back(std::move(primary), c);
        else
            rank[c] = 0xFFFF;
    }
    ucol_close(collator);
    std::sort(weighted.begin(), weighted.end());
    std::uint16_t next = 0;
    for (std::size_t i = 0; i < weighted.size(); ++i) {
        if (i == 0 || weighted[i].first != weighted[i - 1].first)
            ++next;
        rank[weighted[i].second] = next;
    }
    for (char32_t c = 0; c < 0x80; ++c)
        if (rank[c] == 0xFFFF) {
            std::fprintf(stderr, "ombrel_make_han: ASCII %u has no single weight\n", unsigned(c));
            return 1;
        }
    if (rank[U'\u25CF'] == 0xFFFF || next >= 0xFFFF) {
        std::fprintf(stderr, "ombrel_make_han: the marker has no single weight, or the ranks outgrow 16 bits\n");
        return 1;
    }

    std::ofstream out(argv[2]);
    out << "// Made by ombrel_make_han from Unihan's readings. Do not edit.\n"
        << "#include \"core/text/HanTable.h\"\n\nnamespace han {\n\n"
        << "const std::uint16_t kSyllableCount = " << syllableIndex.size() << ";\n\n";
    writeArray(out, "const char kSyllableText[]", syllableText);
    writeArray(out, "const std::uint16_t kSyllableStart[]", syllableStart);
    writeArray(out, "const std::uint16_t kReading[kSlots]", reading);
    writeArray(out, "const std::uint16_t kPolyStart[]", polyStart);
    writeArray(out, "const std::uint16_t kPolySyllables[]", polySyllables);
    out << "}  // namespace han\n";

    std::ofstream ranks(argv[3]);
    std::vector<std::uint16_t> asciiRank, slotRank;
    for (char32_t c = 0; c < 0x80; ++c)
        asciiRank.push_back(rank[c]);
    for (int slot = 0; slot < kSlots; ++slot)
        slotRank.push_back(rank[characterOf(slot)]);
    ranks << "// Made by ombrel_make_han from ICU's Chinese collation. Do not edit.\n"
          << "#include \"core/text/HanTable.h\"\n\nnamespace han {\n\n"
          << "const std::uint16_t kCircleRank = " << rank[U'\u25CF'] << ";\n\n";
    writeArray(ranks, "const std::uint16_t kAsciiRank[128]", asciiRank);
    writeArray(ranks, "const std::uint16_t kRank[kSlots]", slotRank);
    ranks << "}  // namespace han\n";
    return out && ranks ? 0 : 1;
}
