#include "WinPower.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <vector>

namespace {

std::atomic<int> lookups{0};
std::atomic<int> starts{0};

constexpr ULONG kShutdownPrivilege = 19;  // SE_SHUTDOWN_PRIVILEGE
constexpr int kShutdownPowerOff = 2;      // SHUTDOWN_ACTION::ShutdownPowerOff

using AdjustPrivilegeFn = LONG(NTAPI*)(ULONG privilege, BOOLEAN enable, BOOLEAN currentThread, BOOLEAN* wasEnabled);
using ShutdownSystemFn = LONG(NTAPI*)(int action);

// An entry point of ntdll, looked up at the moment it is needed. The cast
// goes through void (*)(), the type that stands for any function.
template <typename Fn>
Fn ntdllEntry(const char* name)
{
    ++lookups;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const FARPROC entry = ntdll ? GetProcAddress(ntdll, name) : nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(entry));
}

// The system folder, where shutdown.exe lives, as %SystemRoot%\System32.
std::wstring systemFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    UINT n = GetSystemDirectoryW(path.data(), UINT(path.size()));
    if (n >= path.size()) {
        path.resize(n);
        n = GetSystemDirectoryW(path.data(), UINT(path.size()));
    }
    path.resize(n);
    return path;
}

}  // namespace

int SystemPowerCalls::resolutions()
{
    return lookups;
}

int SystemPowerCalls::processStarts()
{
    return starts;
}

bool SystemPowerCalls::adjustPrivilege()
{
    const auto adjust = ntdllEntry<AdjustPrivilegeFn>("RtlAdjustPrivilege");
    if (!adjust)
        return false;  // GetProcAddress left its error
    BOOLEAN wasEnabled = FALSE;
    if (adjust(kShutdownPrivilege, TRUE, FALSE, &wasEnabled) < 0) {
        SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return false;
    }
    return true;
}

long SystemPowerCalls::shutdownSystem(int action)
{
    const auto shutdown = ntdllEntry<ShutdownSystemFn>("NtShutdownSystem");
    if (!shutdown)
        return LONG(0xC0000139);  // STATUS_ENTRYPOINT_NOT_FOUND
    return shutdown(action);
}

bool SystemPowerCalls::startProcess(const std::wstring& commandLine, bool minimized)
{
    ++starts;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (minimized) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWMINNOACTIVE;
    }
    // CreateProcessW may write into the command line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

WinPower::WinPower()
    : calls_(std::make_unique<SystemPowerCalls>())
{
}

WinPower::WinPower(std::unique_ptr<PowerCalls> calls)
    : calls_(std::move(calls))
{
}

std::wstring WinPower::commandLine(PowerAction action)
{
    // The program by its full path, quoted, so that no program of the same
    // name in the current folder or on PATH is started instead.
    const std::wstring program = L"\"" + systemFolder() + L"\\shutdown.exe\"";
    switch (action) {
    case PowerAction::PowerOff: return program + L" -S -t 0";
    case PowerAction::Reboot: return program + L" -R -t 0";
    case PowerAction::LogOff: return program + L" -l";
    }
    return program;
}

void WinPower::start(const std::wstring& line, bool minimized, const std::function<void(Result)>& done)
{
    Result result;
    if (!calls_->startProcess(line, minimized))
        result = Result::failure("无法启动关机程序：" + wintext::systemMessage(GetLastError()));
    if (done)
        done(result);
}

void WinPower::request(PowerAction action, std::function<void(Result)> done)
{
    start(commandLine(action), false, done);
}

void WinPower::restartMinimised(std::function<void(Result)> done)
{
    start(commandLine(PowerAction::Reboot), true, done);
}

void WinPower::fastPowerOff(std::function<void(Result)> done)
{
    Result result;
    if (!calls_->adjustPrivilege()) {
        result = Result::failure("无法取得关机权限：" + wintext::systemMessage(GetLastError()));
    } else if (const long status = calls_->shutdownSystem(kShutdownPowerOff); status < 0) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
        result = Result::failure(std::string("无法关闭电源：NTSTATUS ") + code);
    }
    if (done)
        done(result);
}
