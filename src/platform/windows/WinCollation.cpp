#include "WinCollation.h"

#include "WideText.h"

#include <windows.h>

namespace {

// The Chinese (PRC) order, whatever the user's own locale: Latin and other
// scripts before Han, Han by pinyin.
constexpr const wchar_t* kLocale = L"zh-CN";
constexpr DWORD kFlags = NORM_IGNORECASE;

}  // namespace

int WinCollation::compare(std::string_view a, std::string_view b) const
{
    const std::wstring wa = wintext::toWide(a);
    const std::wstring wb = wintext::toWide(b);
    const int result =
        CompareStringEx(kLocale, kFlags, wa.data(), int(wa.size()), wb.data(), int(wb.size()), nullptr, nullptr, 0);
    if (result == 0)  // cannot happen with valid arguments; fall back to code unit order
        return wa < wb ? -1 : (wb < wa ? 1 : 0);
    return result - CSTR_EQUAL;
}

std::vector<std::string> WinCollation::sortKeys(const std::vector<std::string>& texts) const
{
    std::vector<std::string> keys;
    keys.reserve(texts.size());
    for (const std::string& text : texts) {
        const std::wstring wide = wintext::toWide(text);
        // The key is a string of bytes ending in a zero byte, which is left
        // out: a key that is the start of another then sorts first, as the
        // zero would have made it.
        const int size = LCMapStringEx(kLocale, LCMAP_SORTKEY | kFlags, wide.data(), int(wide.size()), nullptr, 0,
                                       nullptr, nullptr, 0);
        std::string key(size_t(size > 0 ? size : 0), '\0');
        if (size > 0)
            LCMapStringEx(kLocale, LCMAP_SORTKEY | kFlags, wide.data(), int(wide.size()),
                          reinterpret_cast<wchar_t*>(key.data()), size, nullptr, nullptr, 0);
        if (!key.empty() && key.back() == '\0')
            key.pop_back();
        keys.push_back(std::move(key));
    }
    return keys;
}
