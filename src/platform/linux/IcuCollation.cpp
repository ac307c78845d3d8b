#include "IcuCollation.h"

#include "IcuText.h"

#include "core/text/HanTable.h"
#include "core/text/Utf8.h"

#include <unicode/ucol.h>
#include <unicode/uscript.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// The key of a text made of ASCII, the marker's circle and the Han
// characters of the Han table, which the table's ranks order as ICU does:
// two bytes per rank, high byte first, so that keys compare as the texts'
// rank sequences. Nothing for any other text, which needs ICU itself.
std::optional<std::string> tableKey(std::string_view text)
{
    std::string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, length] = utf8::characterAt(text, i);
        std::uint16_t rank = han::kUnranked;
        if (c < 0x80)
            rank = han::kAsciiRank[c];
        else if (c == U'\u25CF')
            rank = han::kCircleRank;
        else if (const int slot = han::slotOf(c); slot >= 0)
            rank = han::kRank[slot];
        if (rank == han::kUnranked)
            return std::nullopt;
        if (rank != 0) {
            key.push_back(char(rank >> 8));
            key.push_back(char(rank & 0xFF));
        }
        i += length;
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
