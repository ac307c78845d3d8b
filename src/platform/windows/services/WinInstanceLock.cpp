#include "WinInstanceLock.h"

#include "platform/windows/WideText.h"

#include <sddl.h>

#include <vector>

namespace {

// The user's SID in its text form ("S-1-5-21-..."), which no other user
// shares; the user name when the SID cannot be read.
std::wstring userKey()
{
    std::wstring key;
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<unsigned char> buffer(size);
        if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
            wchar_t* text = nullptr;
            if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
                key = text;
                LocalFree(text);
            }
        }
        CloseHandle(token);
    }
    if (key.empty()) {
        wchar_t user[257] = {};
        DWORD length = DWORD(std::size(user));
        if (GetUserNameW(user, &length))
            key = user;
    }
    // A backslash would be taken as a namespace separator.
    for (wchar_t& c : key) {
        if (c == L'\\')
            c = L'_';
    }
    return key;
}

}  // namespace

WinInstanceLock::WinInstanceLock(std::wstring_view program)
    : name_(L"Local\\" + std::wstring(program) + L"-" + userKey())
{
}

WinInstanceLock::~WinInstanceLock()
{
    if (mutex_)
        CloseHandle(mutex_);
}

InstanceLock::Outcome WinInstanceLock::acquire()
{
    if (mutex_)
        return {};
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name_.c_str());
    const DWORD error = GetLastError();
    if (!mutex) {
        // The mutex exists but this process may not open it: made by a copy
        // of the same user running with other rights (elevated).
        if (error == ERROR_ACCESS_DENIED)
            return {true, {}};
        return {false, "无法检查是否已有程序在运行：" + wintext::systemMessage(error)};
    }
    if (error == ERROR_ALREADY_EXISTS) {
        // The handle is let go so that the mutex ends with the other copy.
        CloseHandle(mutex);
        return {true, {}};
    }
    mutex_ = mutex;
    return {};
}
