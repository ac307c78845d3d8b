// The child of the WinProcess test: a close handler would write the file its
// argument names, and a second thread never ends; then it ends through
// WinProcess::exitNow (exit code 3 if that returned).
#include "platform/windows/services/WinProcess.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <thread>

namespace {

const wchar_t* marker = nullptr;

void mark()
{
    CloseHandle(CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 2)
        return 2;
    marker = arguments[1];
    std::atexit(mark);
    std::thread([] { Sleep(INFINITE); }).detach();
    WinProcess().exitNow();
    return 3;
}
