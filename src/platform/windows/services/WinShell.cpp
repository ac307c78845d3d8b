#include "WinShell.h"

#include "platform/windows/WideText.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

Result failure(const std::string& what, const std::string& why)
{
    return Result::failure("无法打开“" + what + "”：" + why);
}

// ShellExecuteW may hand the work to shell extensions, which need COM on the
// calling thread. It is set up here when the thread has none yet, and taken
// down again afterwards.
class ComForCall {
public:
    ComForCall() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComForCall()
    {
        if (initialized_)
            CoUninitialize();
    }
    ComForCall(const ComForCall&) = delete;
    ComForCall& operator=(const ComForCall&) = delete;

private:
    bool initialized_;
};

Result execute(const wchar_t* verb, const std::string& target)
{
    if (target.empty())
        return failure(target, "没有路径");
    const std::wstring wide = wintext::toWide(target);
    const ComForCall com;
    const auto code = reinterpret_cast<std::intptr_t>(
        ShellExecuteW(nullptr, verb, wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (code > 32)
        return Result::success();
    return failure(target, WinShell::reasonOf(code));
}

}  // namespace

std::string WinShell::reasonOf(std::intptr_t code)
{
    DWORD error = DWORD(code);
    switch (code) {
    case 0: error = ERROR_NOT_ENOUGH_MEMORY; break;  // out of memory or resources
    case SE_ERR_SHARE: error = ERROR_SHARING_VIOLATION; break;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: error = ERROR_NO_ASSOCIATION; break;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: error = ERROR_DDE_FAIL; break;
    case SE_ERR_DLLNOTFOUND: error = ERROR_DLL_NOT_FOUND; break;
    default: break;  // the others are system error codes already
    }
    return wintext::systemMessage(error);
}

Result WinShell::open(const std::string& path)
{
    return execute(L"open", path);
}

Result WinShell::openFolder(const std::string& folder)
{
    // Only an existing folder is handed on: the shell would otherwise look
    // for a program of that name and could start it.
    if (folder.empty())
        return failure(folder, "没有路径");
    const DWORD attributes = GetFileAttributesW(wintext::toWide(folder).c_str());
    const DWORD error = GetLastError();
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return failure(folder, wintext::systemMessage(error));
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failure(folder, wintext::systemMessage(ERROR_DIRECTORY));
    return execute(L"explore", folder);
}

Result WinShell::openUrl(const std::string& url)
{
    return execute(L"open", url);
}
