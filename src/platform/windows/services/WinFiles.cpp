#include "WinFiles.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <array>
#include <cwctype>

namespace {

// Whether the name at the end of a path is one of the names Windows keeps for its
// devices (CON, NUL, COM1 ...), which open a device in any folder and with
// any extension.
bool isDeviceName(std::wstring_view name)
{
    const std::size_t dot = name.find(L'.');
    if (dot != std::wstring_view::npos)
        name = name.substr(0, dot);
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.'))
        name.remove_suffix(1);
    std::wstring upper;
    for (wchar_t c : name)
        upper += wchar_t(std::towupper(c));
    static const std::array<std::wstring_view, 6> plain = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (std::wstring_view reserved : plain) {
        if (upper == reserved)
            return true;
    }
    return upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT")) && upper[3] >= L'1'
           && upper[3] <= L'9';
}

}  // namespace

std::string WinFiles::fileNameOf(const std::string& path) const
{
    // A NUL would end the path early for the system, and wildcards would let
    // FindFirstFileW answer for some other file.
    if (path.empty() || path.find('\0') != std::string::npos || path.find_first_of("*?") != std::string::npos)
        return {};
    if (path.back() == '\\' || path.back() == '/')
        return {};
    const std::wstring wide = wintext::toWide(path);
    const std::size_t slash = wide.find_last_of(L"\\/:");
    if (isDeviceName(slash == std::wstring::npos ? std::wstring_view(wide) : std::wstring_view(wide).substr(slash + 1)))
        return {};

    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &attributes))
        return {};
    if (attributes.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return {};

    // The folder entry holds the name with the case the file system keeps.
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    FindClose(search);
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
        return {};
    return wintext::toUtf8(found.cFileName);
}
