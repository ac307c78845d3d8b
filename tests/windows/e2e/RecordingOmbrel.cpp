// The program as main.cpp makes it, except that the power service's system
// calls only write what they were asked to do, one line each, to
// power-calls.log beside the exe. The end-to-end tests drive this program,
// so that no flow of theirs can power the machine off, restart it or end the
// session, and they can tell whether any flow tried.
#include "platform/windows/WinSystemServices.h"
#include "platform/windows/WideText.h"
#include "ui/win32/Program.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring logPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"power-calls.log";
}

// Each call succeeds, so the program goes on as it would after a real one.
struct RecordingPowerCalls final : PowerCalls {
    bool adjustPrivilege() override
    {
        record("adjustPrivilege");
        return true;
    }
    long shutdownSystem(int action) override
    {
        record("shutdownSystem " + std::to_string(action));
        return 0;
    }
    bool startProcess(const std::wstring& commandLine, bool minimized) override
    {
        record(std::string(minimized ? "startProcess minimized " : "startProcess ") + wintext::toUtf8(commandLine));
        return true;
    }

    static void record(const std::string& line)
    {
        if (FILE* log = _wfopen(logPath().c_str(), L"ab")) {
            std::fprintf(log, "%s\n", line.c_str());
            std::fclose(log);
        }
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return runProgram([] { return makeWinSystemServices(std::make_unique<RecordingPowerCalls>()); });
}
