#include "AnsiCodec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>
#include <stdexcept>

namespace ansi {
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

// ICU converters keep state and are not thread-safe; one set per thread.
struct Converters {
    Converter cp936 = openConverter("windows-936-2000", true);
    Converter gb18030 = openConverter("gb18030", false);
};

Converters& converters()
{
    thread_local Converters set;
    return set;
}

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Converts UTF-16 to bytes; returns false when a character is unmappable.
bool fromUnicode(UConverter* conv, const char16_t* src, int length, QByteArray& out)
{
    ucnv_resetFromUnicode(conv);
    UErrorCode status = U_ZERO_ERROR;
    const qsizetype start = out.size();
    const int capacity = UCNV_GET_MAX_BYTES_FOR_STRING(length, ucnv_getMaxCharSize(conv));
    out.resize(start + capacity);
    const int written = ucnv_fromUChars(conv, out.data() + start, capacity,
                                        reinterpret_cast<const UChar*>(src), length, &status);
    out.truncate(U_FAILURE(status) ? start : start + written);
    return U_SUCCESS(status);
}

QString toUnicode(UConverter* conv, const char* src, qsizetype length)
{
    ucnv_resetToUnicode(conv);
    UErrorCode status = U_ZERO_ERROR;
    QString buffer(length + 1, Qt::Uninitialized);
    const int written = ucnv_toUChars(conv, reinterpret_cast<UChar*>(buffer.data()),
                                      static_cast<int>(buffer.size()), src,
                                      static_cast<int>(length), &status);
    if (U_FAILURE(status))
        return {};
    buffer.truncate(written);
    return buffer;
}

bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isFourByteSecond(unsigned char c) { return c >= 0x30 && c <= 0x39; }

}  // namespace

int charLength(const QByteArray& bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    if (!isLeadByte(at(i)) || i + 1 >= bytes.size())
        return 1;
    if (isFourByteSecond(at(i + 1)))
        return (i + 3 < bytes.size()) ? 4 : 1;
    return 2;
}

QByteArray encode(const QString& text)
{
    if (isAscii(text))
        return text.toLatin1();
    Converters& conv = converters();
    QByteArray out;
    const auto* src = reinterpret_cast<const char16_t*>(text.utf16());
    if (fromUnicode(conv.cp936.get(), src, static_cast<int>(text.size()), out))
        return out;
    // Some character is outside CP936: go character by character so that
    // only those characters take the GB18030 form.
    out.clear();
    for (qsizetype i = 0; i < text.size();) {
        const int units = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!fromUnicode(conv.cp936.get(), src + i, units, out))
            fromUnicode(conv.gb18030.get(), src + i, units, out);
        i += units;
    }
    return out;
}

QString decode(const QByteArray& bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    Converters& conv = converters();
    QString out;
    out.reserve(bytes.size());
    // Runs of CP936 text go through the CP936 table; four-byte sequences,
    // which only GB18030 knows, go through that.
    qsizetype runStart = 0;
    qsizetype i = 0;
    const auto flushRun = [&](qsizetype end) {
        if (end > runStart)
            out += toUnicode(conv.cp936.get(), bytes.constData() + runStart, end - runStart);
    };
    while (i < bytes.size()) {
        const int len = charLength(bytes, i);
        if (len == 4) {
            flushRun(i);
            out += toUnicode(conv.gb18030.get(), bytes.constData() + i, 4);
            runStart = i + 4;
        }
        i += len;
    }
    flushRun(bytes.size());
    return out;
}

}  // namespace ansi
