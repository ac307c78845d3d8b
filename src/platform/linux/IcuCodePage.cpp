#include "IcuCodePage.h"

#include "Cp936Table.h"
#include "IcuText.h"
#include "core/profile/AnsiBytes.h"
#include "core/text/Utf8.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <optional>
#include <stdexcept>
#include <vector>

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(const char* name, bool stopOnUnmappable)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter conv(ucnv_open(name, &status));
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("cannot open converter ") + name);
    if (stopOnUnmappable) {
        status = U_ZERO_ERROR;
        ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    }
    return conv;
}

void appendUtf8(std::string& out, const std::u16string& text)
{
    if (text.empty())
        return;
    const std::size_t start = out.size();
    out.resize(start + text.size() * 3);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data() + start, int32_t(text.size() * 3), &length,
                       reinterpret_cast<const UChar*>(text.data()), int32_t(text.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? start + std::size_t(length) : start);
}

// Converts UTF-16 to bytes; returns false when a character is unmappable.
bool fromUnicode(UConverter* conv, const char16_t* src, int length, std::string& out)
{
    ucnv_resetFromUnicode(conv);
    UErrorCode status = U_ZERO_ERROR;
    const std::size_t start = out.size();
    const int capacity = UCNV_GET_MAX_BYTES_FOR_STRING(length, ucnv_getMaxCharSize(conv));
    out.resize(start + std::size_t(capacity));
    const int written = ucnv_fromUChars(conv, out.data() + start, capacity, reinterpret_cast<const UChar*>(src),
                                        length, &status);
    out.resize(U_FAILURE(status) ? start : start + std::size_t(written));
    return U_SUCCESS(status);
}

std::u16string toUnicode(UConverter* conv, std::string_view bytes)
{
    ucnv_resetToUnicode(conv);
    UErrorCode status = U_ZERO_ERROR;
    std::u16string buffer(bytes.size() + 1, u'\0');
    const int written = ucnv_toUChars(conv, reinterpret_cast<UChar*>(buffer.data()), int(buffer.size()),
                                      bytes.data(), int(bytes.size()), &status);
    if (U_FAILURE(status))
        return {};
    buffer.resize(std::size_t(written));
    return buffer;
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The private use area of the Basic Multilingual Plane. CP936 gives some of
// its codes to characters that GB18030 has since given real ones.
bool isPrivateUse(char32_t c) { return c >= 0xE000 && c <= 0xF8FF; }

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | c >> 6));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xE0 | c >> 12));
        out.push_back(char(0x80 | (c >> 6 & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

// Whether the two-byte code at bytes[i] is one that CP936 reads as a
// private-use character: a cheap test before asking ICU about the code.
bool readsAsPrivateUse(std::string_view bytes, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    return trail >= 0x40 && trail <= 0xFE && isPrivateUse(cp936::kDecode[(lead - 0x81) * 191 + (trail - 0x40)]);
}

// CP936 text by the built-in table; nothing when some character is not in
// it (a GB18030 four-byte form, or bytes that form no character).
std::optional<std::string> decodeByTable(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char16_t c = 0;
        if (b < 0x80) {
            c = b;
            i += 1;
        } else if (b == 0x80) {
            c = cp936::kByte80;
            i += 1;
        } else if (b <= 0xFE && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if (trail >= 0x40 && trail <= 0xFE)
                c = cp936::kDecode[(b - 0x81) * 191 + (trail - 0x40)];
            // GB18030 may read the code as another character: ICU decides.
            if (isPrivateUse(c))
                return std::nullopt;
            i += 2;
        }
        if (c == 0 && b != 0)
            return std::nullopt;
        appendUtf8(out, c);
    }
    return out;
}

// UTF-8 text by the built-in table; nothing when some character is outside
// it, or the text is not well-formed UTF-8.
std::optional<std::string> encodeByTable(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(char(b));
            ++i;
            continue;
        }
        char32_t c = 0;
        std::size_t length = 0;
        if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            length = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            length = 3;
        } else {
            return std::nullopt;  // four-byte characters are all outside CP936
        }
        if (i + length > utf8.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = c << 6 | (next & 0x3F);
        }
        // A private-use character's code may read back as another character.
        const std::uint16_t code = (c < 0x10000 && !isPrivateUse(c)) ? cp936::kEncode[c] : 0;
        if (code == 0 || (length == 3 && c < 0x800) || (length == 2 && c < 0x80))
            return std::nullopt;
        if (code > 0xFF)
            out.push_back(char(code >> 8));
        out.push_back(char(code & 0xFF));
        i += length;
    }
    return out;
}

}  // namespace

struct IcuCodePage::Converters {
    Converter cp936 = openConverter("windows-936-2000", true);
    // Opened only for a character that CP936 lacks, which few texts hold.
    Converter gb18030Converter;
    UConverter* gb18030()
    {
        if (!gb18030Converter)
            gb18030Converter = openConverter("gb18030", false);
        return gb18030Converter.get();
    }

    // The character GB18030 reads in a two-byte code that CP936 reads as a
    // private-use character, when that is a character CP936 lacks (U+4DAE
    // for FE 9F, say). GB18030 writes those characters in these two bytes,
    // so they are read as GB18030 reads them; otherwise they would come back
    // as private-use characters.
    std::optional<char16_t> gb18030Reading(std::string_view pair)
    {
        const std::u16string asCp936 = toUnicode(cp936.get(), pair);
        if (asCp936.size() != 1 || !isPrivateUse(asCp936[0]))
            return std::nullopt;
        const std::u16string asGb18030 = toUnicode(gb18030(), pair);
        if (asGb18030.size() != 1 || isPrivateUse(asGb18030[0]))
            return std::nullopt;
        std::string bytes;
        if (fromUnicode(cp936.get(), asGb18030.data(), 1, bytes) && !bytes.empty())
            return std::nullopt;  // CP936 has the character under another code (the euro sign)
        return asGb18030[0];
    }
};

IcuCodePage::IcuCodePage() = default;
IcuCodePage::~IcuCodePage() = default;

IcuCodePage::Converters& IcuCodePage::converters() const
{
    if (!converters_)
        converters_ = std::make_unique<Converters>();
    return *converters_;
}

std::string IcuCodePage::encode(std::string_view utf8) const
{
    if (utf8::isAscii(utf8))
        return std::string(utf8);
    if (std::optional<std::string> bytes = encodeByTable(utf8))
        return std::move(*bytes);
    return encodeWithIcu(utf8);
}

std::string IcuCodePage::encodeWithIcu(std::string_view utf8) const
{
    Converters& conv = converters();
    const std::u16string text = toUtf16(utf8);
    std::string out;
    // Character by character, so that only the characters CP936 lacks take
    // the GB18030 form. ICU's CP936 converter writes nothing at all, and
    // reports no error, for an invisible formatting character it lacks (a
    // soft hyphen, a zero-width joiner): those take the GB18030 form too
    // rather than being lost. A private-use character whose CP936 code is
    // read as another character takes its GB18030 form as well.
    for (std::size_t i = 0; i < text.size();) {
        const int units = (isHighSurrogate(text[i]) && i + 1 < text.size()) ? 2 : 1;
        const std::size_t before = out.size();
        const bool written = fromUnicode(conv.cp936.get(), text.data() + i, units, out) && out.size() > before;
        const bool readsBack = written
                               && !(isPrivateUse(text[i]) && out.size() - before == 2
                                    && conv.gb18030Reading(std::string_view(out).substr(before)));
        if (!readsBack) {
            out.resize(before);
            fromUnicode(conv.gb18030(), text.data() + i, units, out);
        }
        i += std::size_t(units);
    }
    return out;
}

std::string IcuCodePage::decode(std::string_view bytes) const
{
    if (utf8::isAscii(bytes))
        return std::string(bytes);
    if (std::optional<std::string> text = decodeByTable(bytes))
        return std::move(*text);
    return decodeWithIcu(bytes);
}

std::string IcuCodePage::decodeWithIcu(std::string_view bytes) const
{
    Converters& conv = converters();
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    // Runs of CP936 text go through the CP936 table; four-byte sequences,
    // which only GB18030 knows, go through that, and so do the two-byte codes
    // of characters that GB18030 has and CP936 lacks.
    std::size_t runStart = 0;
    std::size_t i = 0;
    const auto flushRun = [&](std::size_t end) {
        if (end > runStart)
            appendUtf8(out, toUnicode(conv.cp936.get(), bytes.substr(runStart, end - runStart)));
    };
    while (i < bytes.size()) {
        const std::size_t len = std::size_t(ansi::charLength(bytes, i));
        if (len == 4) {
            flushRun(i);
            appendUtf8(out, toUnicode(conv.gb18030(), bytes.substr(i, 4)));
            runStart = i + 4;
        } else if (len == 2 && readsAsPrivateUse(bytes, i)) {
            if (const std::optional<char16_t> c = conv.gb18030Reading(bytes.substr(i, 2))) {
                flushRun(i);
                appendUtf8(out, char32_t(*c));
                runStart = i + 2;
            }
        }
        i += len;
    }
    flushRun(bytes.size());
    return out;
}
