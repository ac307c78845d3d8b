#include "WinAppFolder.h"

#include "platform/windows/WideText.h"

#include <windows.h>

// The folder of the running executable, by its wide name so that no
// character of the path is lost.
WinAppFolder::WinAppFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0)
            break;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    folder_ = wintext::toUtf8(slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash));
}
