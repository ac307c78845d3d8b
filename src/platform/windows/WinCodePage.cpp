#include "WinCodePage.h"

#include "Gb18030Forms.h"
#include "WideText.h"
#include "core/text/Utf8.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

constexpr UINT kCp936 = 936;
constexpr wchar_t kReplacement = 0xFFFD;

// Four-byte forms count up from 81 30 81 30 for the Basic Multilingual Plane
// and from 90 30 81 30 for the planes above it.
constexpr unsigned long kSupplementaryStart = 189000;  // number of 90 30 81 30

bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isFourByteSecond(unsigned char c) { return c >= 0x30 && c <= 0x39; }

// The private use area of the Basic Multilingual Plane. CP936 gives some of
// its codes to characters that GB18030 has since given real ones.
bool isPrivateUse(char32_t c) { return c >= 0xE000 && c <= 0xF8FF; }

bool holdsPrivateUse(std::wstring_view text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return isPrivateUse(c); });
}

// The character GB18030 writes in these two bytes where CP936 lacks it (and
// reads the bytes as a private-use character instead), or nothing. Such
// bytes are read as GB18030 reads them, so that the character comes back.
std::optional<char32_t> twoByteFormCharacter(unsigned char lead, unsigned char trail)
{
    if (lead != 0xA8 && lead != 0xA9 && lead != 0xFE)  // the only leads the forms use
        return std::nullopt;
    const std::uint16_t bytes = std::uint16_t(lead << 8 | trail);
    const auto form = std::find_if(std::begin(gb18030::kTwoByteForms), std::end(gb18030::kTwoByteForms),
                                   [bytes](const gb18030::TwoByteForm& f) { return f.bytes == bytes; });
    if (form == std::end(gb18030::kTwoByteForms))
        return std::nullopt;
    return form->character;
}

// Appends the CP936 bytes of the UTF-16 text; false, appending nothing, when
// CP936 lacks one of its characters. Without WC_NO_BEST_FIT_CHARS Windows
// would write a look-alike (or "?") for such a character instead.
bool appendCp936(const wchar_t* text, int units, std::string& out)
{
    std::string buffer(size_t(units) * 2, '\0');  // at most two bytes per UTF-16 unit
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, text, units, buffer.data(),
                                           int(buffer.size()), nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    out.append(buffer.data(), size_t(length));
    return true;
}

void appendFourBytes(unsigned long number, std::string& out)
{
    out += char(0x81 + number / 12600);
    out += char(0x30 + number / 1260 % 10);
    out += char(0x81 + number / 10 % 126);
    out += char(0x30 + number % 10);
}

// Appends the GB18030 form of a character that CP936 lacks.
void appendGb18030(char32_t c, std::string& out)
{
    if (c >= 0x10000) {
        appendFourBytes(kSupplementaryStart + (c - 0x10000), out);
        return;
    }
    const auto two = std::find_if(std::begin(gb18030::kTwoByteForms), std::end(gb18030::kTwoByteForms),
                                  [c](const gb18030::TwoByteForm& f) { return f.character == c; });
    if (two != std::end(gb18030::kTwoByteForms)) {
        out += char(two->bytes >> 8);
        out += char(two->bytes & 0xFF);
        return;
    }
    const auto run = std::upper_bound(std::begin(gb18030::kFourByteRuns), std::end(gb18030::kFourByteRuns), c,
                                      [](char32_t x, const gb18030::FourByteRun& r) { return x < r.first; });
    if (run != std::begin(gb18030::kFourByteRuns) && c <= std::prev(run)->last) {
        appendFourBytes(std::prev(run)->index + (c - std::prev(run)->first), out);
        return;
    }
    out += '?';  // a lone surrogate: no character at all
}

// The character of a four-byte GB18030 sequence, or nothing when the bytes
// are not one.
std::optional<char32_t> fourByteCharacter(std::string_view bytes)
{
    const auto b = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (!isLeadByte(b(0)) || !isFourByteSecond(b(1)) || !isLeadByte(b(2)) || !isFourByteSecond(b(3)))
        return std::nullopt;
    const unsigned long number =
        (b(0) - 0x81) * 12600ul + (b(1) - 0x30) * 1260ul + (b(2) - 0x81) * 10ul + (b(3) - 0x30);
    if (number >= kSupplementaryStart) {
        const unsigned long c = 0x10000 + (number - kSupplementaryStart);
        return c <= 0x10FFFF ? std::optional<char32_t>(c) : std::nullopt;
    }
    for (const gb18030::FourByteRun& r : gb18030::kFourByteRuns)
        if (number >= r.index && number <= r.index + unsigned(r.last - r.first))
            return char32_t(r.first + (number - r.index));
    return std::nullopt;
}

void appendUtf16(char32_t c, std::wstring& out)
{
    if (c < 0x10000) {
        out += wchar_t(c);
    } else {
        out += wchar_t(0xD800 + ((c - 0x10000) >> 10));
        out += wchar_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

// Appends the UTF-16 text of CP936 bytes; false, appending nothing, when the
// bytes are not valid CP936.
bool appendCp936Text(std::string_view bytes, std::wstring& out)
{
    if (bytes.empty())
        return true;
    std::wstring buffer(bytes.size(), L'\0');  // never more UTF-16 units than bytes
    const int length = MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                                           buffer.data(), int(buffer.size()));
    if (length <= 0)
        return false;
    out.append(buffer.data(), size_t(length));
    return true;
}

// The character of a single byte that strict conversion refused: the one the
// CP936 table gives it, if any (Wine refuses 0xFF, which the table maps to
// U+F8F5 both ways), else U+FFFD.
wchar_t singleByteCharacter(char byte)
{
    wchar_t c = 0;
    if (MultiByteToWideChar(kCp936, 0, &byte, 1, &c, 1) == 1 && c != L'?')
        return c;
    return kReplacement;
}

// Appends a run of CP936 text. Where the run holds bytes that form no CP936
// character, it is taken one character at a time and each such byte becomes
// U+FFFD; a byte that follows a lead byte without pairing with it is read on
// its own, so a broken character does not swallow a line break.
void appendCp936Run(std::string_view run, std::wstring& out)
{
    if (appendCp936Text(run, out))
        return;
    for (size_t i = 0; i < run.size();) {
        const bool pair = isLeadByte(static_cast<unsigned char>(run[i])) && i + 1 < run.size();
        if (pair && appendCp936Text(run.substr(i, 2), out)) {
            i += 2;
            continue;
        }
        if (!appendCp936Text(run.substr(i, 1), out))
            out += singleByteCharacter(run[i]);
        ++i;
    }
}

}  // namespace

std::string WinCodePage::encode(std::string_view utf8) const
{
    if (utf8::isAscii(utf8))
        return std::string(utf8);
    const std::wstring text = wintext::toWide(utf8);
    std::string out;
    if (!holdsPrivateUse(text) && appendCp936(text.data(), int(text.size()), out))
        return out;
    // Some character is outside CP936, or is a private-use character whose
    // CP936 code may read back as another character: go character by
    // character so that only those characters take their GB18030 form.
    for (size_t i = 0; i < text.size();) {
        const bool surrogatePair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        const int units = surrogatePair ? 2 : 1;
        const size_t before = out.size();
        // CP936 holds no character beyond the Basic Multilingual Plane.
        bool readsBack = !surrogatePair && appendCp936(text.data() + i, units, out);
        if (readsBack && isPrivateUse(text[i]) && out.size() - before == 2)
            readsBack = !twoByteFormCharacter(static_cast<unsigned char>(out[before]),
                                              static_cast<unsigned char>(out[before + 1]));
        if (!readsBack) {
            out.resize(before);
            const char32_t c = surrogatePair ? 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00)
                                             : char32_t(text[i]);
            appendGb18030(c, out);
        }
        i += size_t(units);
    }
    return out;
}

std::string WinCodePage::decode(std::string_view bytes) const
{
    if (utf8::isAscii(bytes))
        return std::string(bytes);
    // Runs of CP936 text go through the CP936 table; four-byte sequences,
    // which only GB18030 has, are read apart.
    std::wstring out;
    out.reserve(bytes.size());
    size_t runStart = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
        if (!isLeadByte(at(i)) || i + 1 >= bytes.size()) {
            ++i;
            continue;
        }
        if (!isFourByteSecond(at(i + 1))) {
            if (const std::optional<char32_t> c = twoByteFormCharacter(at(i), at(i + 1))) {
                appendCp936Run(bytes.substr(runStart, i - runStart), out);
                appendUtf16(*c, out);
                runStart = i + 2;
            }
            i += 2;
            continue;
        }
        appendCp936Run(bytes.substr(runStart, i - runStart), out);
        const std::string_view four = bytes.substr(i, 4);
        if (four.size() == 4 && isLeadByte(at(i + 2)) && isFourByteSecond(at(i + 3))) {
            // A well-formed sequence: its character, or one U+FFFD when it names none.
            const std::optional<char32_t> c = fourByteCharacter(four);
            if (c)
                appendUtf16(*c, out);
            else
                out += kReplacement;
            i += 4;
        } else {
            // A lead byte and a digit that start no sequence: the digit stays.
            out += kReplacement;
            out += wchar_t(at(i + 1));
            i += 2;
        }
        runStart = i;
    }
    appendCp936Run(bytes.substr(runStart), out);
    return wintext::toUtf8(out);
}
