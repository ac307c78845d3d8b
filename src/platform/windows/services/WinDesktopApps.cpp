#include "WinDesktopApps.h"

#include "WinShell.h"
#include "platform/windows/WideText.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstdint>
#include <vector>

namespace {

// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr DWORD kElevationRequired = 740;

std::string placeName(DesktopApps::Place place)
{
    return place == DesktopApps::Place::Computer ? "计算机" : "回收站";
}

std::string toolName(DesktopApps::Tool tool)
{
    return tool == DesktopApps::Tool::Settings ? "控制面板" : "任务管理器";
}

std::wstring systemFolder()
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT n = GetSystemDirectoryW(folder.data(), UINT(folder.size()));
    if (n >= folder.size()) {
        folder.resize(n);
        n = GetSystemDirectoryW(folder.data(), UINT(folder.size()));
    }
    folder.resize(n < folder.size() ? n : 0);
    return folder;
}

}  // namespace

std::wstring WinDesktopApps::quotedArgument(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(argument);
    // Backslashes count only before a quote: there they are doubled, and the
    // quote itself is escaped; the closing quote gets the same doubling.
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            quoted.append(backslashes * 2 + 1, L'\\');
        else
            quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

Result WinDesktopApps::openPlace(Place place)
{
    std::wstring windows(MAX_PATH, L'\0');
    windows.resize(GetWindowsDirectoryW(windows.data(), MAX_PATH));
    const std::wstring program = windows + L"\\explorer.exe";
    std::wstring line = quotedArgument(program) + (place == Place::Computer ? L" ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"
                                                                            : L" ::{645FF040-5081-101B-9F08-00AA002F954E}");
    std::vector<wchar_t> writable(line.begin(), line.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return Result::failure("无法打开" + placeName(place) + "：" + wintext::systemMessage(GetLastError()));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Result::success();
}

Result WinDesktopApps::start(Tool tool)
{
    const std::wstring folder = systemFolder();
    if (folder.empty())
        return Result::failure("无法启动" + toolName(tool) + "：" + wintext::systemMessage(GetLastError()));
    // The program by its full path, so that no program of the same name in
    // the working folder or on the search path is started instead.
    const std::wstring program = folder + (tool == Tool::Settings ? L"\\control.exe" : L"\\taskmgr.exe");
    std::wstring commandLine = quotedArgument(program);
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        const DWORD error = GetLastError();
        // A program whose manifest asks for the highest rights the user has
        // (the Task Manager does) is refused by CreateProcessW for an
        // administrator; only the shell can start it, asking for consent.
        if (error == kElevationRequired) {
            const auto code = reinterpret_cast<std::intptr_t>(
                ShellExecuteW(nullptr, L"open", program.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
            if (code > 32)
                return Result::success();
            return Result::failure("无法启动" + toolName(tool) + "（" + wintext::toUtf8(program) + "）：" +
                                   WinShell::reasonOf(code));
        }
        return Result::failure("无法启动" + toolName(tool) + "（" + wintext::toUtf8(program) + "）：" +
                               wintext::systemMessage(error));
    }
    // Not waited for: the tool runs on its own.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Result::success();
}
