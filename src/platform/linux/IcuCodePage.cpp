#include "IcuCodePage.h"

#include "core/profile/AnsiBytes.h"
#include "core/text/Utf8.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

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

std::u16string toUtf16(std::string_view utf8)
{
    std::u16string out(utf8.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), int32_t(out.size()), &length, utf8.data(),
                         int32_t(utf8.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? std::size_t(length) : 0);
    return out;
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
    Converters& conv = converters();
    const std::u16string text = toUtf16(utf8);
    std::string out;
    if (fromUnicode(conv.cp936.get(), text.data(), int(text.size()), out))
        return out;
    // Some character is outside CP936: go character by character so that
    // only those characters take the GB18030 form.
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        const int units = (isHighSurrogate(text[i]) && i + 1 < text.size()) ? 2 : 1;
        if (!fromUnicode(conv.cp936.get(), text.data() + i, units, out))
            fromUnicode(conv.gb18030(), text.data() + i, units, out);
        i += std::size_t(units);
    }
    return out;
}

std::string IcuCodePage::decode(std::string_view bytes) const
{
    if (utf8::isAscii(bytes))
        return std::string(bytes);
    Converters& conv = converters();
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    // Runs of CP936 text go through the CP936 table; four-byte sequences,
    // which only GB18030 knows, go through that.
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
        }
        i += len;
    }
    flushRun(bytes.size());
    return out;
}
