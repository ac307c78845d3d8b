#pragma once

#include "core/services/Power.h"

#include <memory>
#include <string>

// The system calls that power the machine off, restart it or end the session.
// WinPower makes them only through this, so that tests can put recording
// calls in their place. It has no default bodies: a stand-in must give every
// call, so none of them can fall through to the system's.
struct PowerCalls {
    virtual ~PowerCalls() = default;
    // Enables the shutdown privilege for the process; on false the thread's
    // last error says why.
    virtual bool adjustPrivilege() = 0;
    // NtShutdownSystem with the given action; returns its NTSTATUS.
    virtual long shutdownSystem(int action) = 0;
    // Starts a program by its full command line, with no shell between; on
    // false the thread's last error says why.
    virtual bool startProcess(const std::wstring& commandLine, bool minimized) = 0;
};

// The system's own calls: RtlAdjustPrivilege and NtShutdownSystem, looked up
// in ntdll only when called, and CreateProcessW.
struct SystemPowerCalls final : PowerCalls {
    bool adjustPrivilege() override;
    long shutdownSystem(int action) override;
    bool startProcess(const std::wstring& commandLine, bool minimized) override;

    // How often the ntdll entry points were looked up, and CreateProcessW
    // reached, by any instance in this process.
    static int resolutions();
    static int processStarts();
};

// Power through the shutdown program of the system, shutdown.exe in
// %SystemRoot%\System32, and, for the quick buttons, the immediate power-off of
// NtShutdownSystem and a restart whose console window stays minimised.
//
// done is called before the call returns, on the calling thread (the user
// interface's): starting the program or making the system call is all there
// is to wait for, and either returns at once.
class WinPower final : public Power {
public:
    WinPower();  // with the system's calls
    explicit WinPower(std::unique_ptr<PowerCalls> calls);

    // shutdown -S -t 0, -R -t 0 or -l.
    void request(PowerAction action, std::function<void(Result)> done) override;
    // Powers off at once, without the session ending first:
    // RtlAdjustPrivilege(SeShutdownPrivilege) then NtShutdownSystem(ShutdownPowerOff).
    void fastPowerOff(std::function<void(Result)> done);
    // shutdown -R -t 0 with its console window minimised.
    void restartMinimised(std::function<void(Result)> done);
    void quickPowerOff(std::function<void(Result)> done) override { fastPowerOff(std::move(done)); }
    void quickRestart(std::function<void(Result)> done) override { restartMinimised(std::move(done)); }

    // The full command line of the shutdown program for an action.
    static std::wstring commandLine(PowerAction action);

private:
    void start(const std::wstring& line, bool minimized, const std::function<void(Result)>& done);

    std::unique_ptr<PowerCalls> calls_;
};
