#include "IcuCollation.h"

#include "IcuText.h"

#include <unicode/ucol.h>
#include <unicode/uscript.h>

#include <array>
#include <optional>
#include <string_view>

namespace {

// The primary weight rank of each ASCII character in the collation above,
// 0 for the control characters it ignores. At secondary strength these
// texts differ only in these weights: letter case is a tertiary difference.
constexpr std::array<unsigned char, 128> kAsciiRank{
    0,  0,  0,  0,  0,  0,  0,  0,  0,  1,  2,  3,  4,  5,  0,  0,   //
    0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,   //
    6,  12, 16, 28, 39, 29, 27, 15, 17, 18, 24, 32, 9,  8,  14, 25,  //  !"#$%&'()*+,-./
    40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 11, 10, 33, 34, 35, 13,  // 0-9 :;<=>?
    23, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64,  // @A-O
    65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 19, 26, 20, 31, 7,   // P-Z [\]^_
    30, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64,  // `a-o
    65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 21, 36, 22, 37, 0,   // p-z {|}~
};
// The item marker's circle sorts after every ASCII symbol and before "$".
constexpr unsigned char kCircleRank = 38;
constexpr std::string_view kCircle = "\u25CF";

// The key of a text made of ASCII and the marker's circle alone, which the
// table above orders without ICU; nothing for any other text.
std::optional<std::string> tableKey(std::string_view text)
{
    std::string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (const unsigned char rank = kAsciiRank[c])
                key.push_back(char(rank));
            ++i;
        } else if (text.substr(i, kCircle.size()) == kCircle) {
            key.push_back(char(kCircleRank));
            i += kCircle.size();
        } else {
            return std::nullopt;
        }
    }
    return key;
}

int sign(int n) { return (n > 0) - (n < 0); }

}  // namespace

struct IcuCollation::Collator {
    UCollator* handle = nullptr;
    Collator()
    {
        UErrorCode status = U_ZERO_ERROR;
        // ICU's Chinese collation orders Han characters by pinyin. Secondary
        // strength tells accents apart but not letter case.
        handle = ucol_open("zh_CN", &status);
        if (U_FAILURE(status)) {
            status = U_ZERO_ERROR;
            handle = ucol_open("", &status);
        }
        ucol_setStrength(handle, UCOL_SECONDARY);
        // ICU puts Han before the other scripts; a Chinese Windows list box
        // puts Latin (and every other script) first, Chinese last.
        const int32_t hanLast[] = {USCRIPT_UNKNOWN, USCRIPT_HAN};
        ucol_setReorderCodes(handle, hanLast, 2, &status);
    }
    ~Collator() { ucol_close(handle); }
};

IcuCollation::IcuCollation() = default;
IcuCollation::~IcuCollation() = default;

IcuCollation::Collator& IcuCollation::collator() const
{
    if (!collator_)
        collator_ = std::make_unique<Collator>();
    return *collator_;
}

int IcuCollation::compare(std::string_view a, std::string_view b) const
{
    if (const auto keyA = tableKey(a))
        if (const auto keyB = tableKey(b))
            return sign(keyA->compare(*keyB));
    return compareWithIcu(a, b);
}

int IcuCollation::compareWithIcu(std::string_view a, std::string_view b) const
{
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        ucol_strcollUTF8(collator().handle, a.data(), int32_t(a.size()), b.data(), int32_t(b.size()), &status);
    return int(result);
}

std::vector<std::string> IcuCollation::sortKeys(const std::vector<std::string>& texts) const
{
    std::vector<std::string> keys;
    keys.reserve(texts.size());
    for (const std::string& text : texts) {
        std::optional<std::string> key = tableKey(text);
        if (!key)
            break;
        keys.push_back(std::move(*key));
    }
    if (keys.size() == texts.size())
        return keys;
    keys.clear();
    UCollator* handle = collator().handle;
    for (const std::string& text : texts) {
        const std::u16string text16 = toUtf16(text);
        const auto* units = reinterpret_cast<const UChar*>(text16.data());
        const auto length = int32_t(text16.size());
        std::string key(std::size_t(ucol_getSortKey(handle, units, length, nullptr, 0)), '\0');
        ucol_getSortKey(handle, units, length, reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
        keys.push_back(std::move(key));
    }
    return keys;
}
