#pragma once

#include <unicode/ustring.h>

#include <string>
#include <string_view>

// UTF-8 text as the UTF-16 that ICU's functions take; malformed bytes become
// U+FFFD.
inline std::u16string toUtf16(std::string_view utf8)
{
    std::u16string out(utf8.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), int32_t(out.size()), &length, utf8.data(),
                         int32_t(utf8.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? std::size_t(length) : 0);
    return out;
}
