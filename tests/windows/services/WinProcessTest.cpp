#include "platform/windows/services/WinProcess.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

// The child (ExitNowChild.cpp) ends at once with code 0, although a thread
// of it never ends, and none of its close handlers writes the marker file.
TEST(WinProcess, ExitNowEndsTheProcessAtOnceWithoutCloseHandlers)
{
    wintest::TempFolder folder;
    wchar_t self[MAX_PATH];
    std::wstring child(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    child = child.substr(0, child.find_last_of(L'\\') + 1) + L"ombrel_exit_now_child.exe";
    const std::wstring marker = folder.file(L"关闭.txt");
    std::wstring line = L"\"" + child + L"\" \"" + marker + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(child.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process)) << GetLastError();
    const DWORD waited = WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 99;
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 9);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the child still ran";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "a close handler ran";
}
