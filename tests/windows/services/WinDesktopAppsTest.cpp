#include "platform/windows/services/WinDesktopApps.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

// The arguments that the system's own splitting finds in a command line.
std::vector<std::wstring> split(const std::wstring& commandLine)
{
    int count = 0;
    wchar_t** parts = CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> out(parts, parts + count);
    LocalFree(parts);
    return out;
}

}  // namespace

TEST(WinDesktopApps, QuotedArgumentsSplitBackUnchanged)
{
    const std::vector<std::wstring> arguments = {
        L"plain", L"C:\\Program Files\\工具\\a.exe", L"", L"say \"hi\"", L"trailing\\", L"C:\\with space\\",
        L"a\\\\\"b", L"\t",
    };
    std::wstring commandLine = L"program.exe";
    for (const std::wstring& argument : arguments)
        commandLine += L" " + WinDesktopApps::quotedArgument(argument);

    const std::vector<std::wstring> parts = split(commandLine);
    ASSERT_EQ(parts.size(), arguments.size() + 1);
    for (std::size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(parts[i + 1], arguments[i]) << i;
    EXPECT_EQ(WinDesktopApps::quotedArgument(L"C:\\Windows\\system32\\taskmgr.exe"),
              L"C:\\Windows\\system32\\taskmgr.exe");
}
