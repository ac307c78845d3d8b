#include "platform/windows/services/WinPower.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// Records every call and makes none of the system's.
struct RecordingCalls final : PowerCalls {
    std::vector<std::string>* log;
    bool privilegeGranted = true;
    long shutdownStatus = 0;
    DWORD startError = 0;  // the process start fails with it when not 0

    explicit RecordingCalls(std::vector<std::string>* into) : log(into) {}
    bool adjustPrivilege() override
    {
        log->push_back("adjustPrivilege");
        if (!privilegeGranted)
            SetLastError(ERROR_PRIVILEGE_NOT_HELD);
        return privilegeGranted;
    }
    long shutdownSystem(int action) override
    {
        log->push_back("shutdownSystem " + std::to_string(action));
        return shutdownStatus;
    }
    bool startProcess(const std::wstring& commandLine, bool minimized) override
    {
        log->push_back(wintext::toUtf8(commandLine) + (minimized ? " [minimized]" : ""));
        if (startError)
            SetLastError(startError);
        return startError == 0;
    }
};

struct Recorded {
    std::vector<std::string> log;
    RecordingCalls* calls = nullptr;
    std::unique_ptr<WinPower> power;
    Recorded()
    {
        auto owned = std::make_unique<RecordingCalls>(&log);
        calls = owned.get();
        power = std::make_unique<WinPower>(std::move(owned));
    }
};

std::string shutdownProgram()
{
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    return "\"" + wintext::toUtf8(std::wstring(folder, n)) + "\\shutdown.exe\"";
}

// Checked once every test of the program has run: no test reached the
// system's power calls, not even by looking them up.
class NoRealPowerCalls : public ::testing::Environment {
public:
    void TearDown() override
    {
        EXPECT_EQ(SystemPowerCalls::resolutions(), 0) << "ntdll's power entry points were looked up";
        EXPECT_EQ(SystemPowerCalls::processStarts(), 0) << "CreateProcessW was reached";
    }
};
[[maybe_unused]] ::testing::Environment* const guard = ::testing::AddGlobalTestEnvironment(new NoRealPowerCalls);

}  // namespace

TEST(WinPower, StartsTheShutdownProgramForEachAction)
{
    Recorded r;
    std::vector<bool> outcomes;
    const auto done = [&](Result result) { outcomes.push_back(result.ok()); };
    r.power->request(PowerAction::PowerOff, done);
    r.power->request(PowerAction::Reboot, done);
    r.power->request(PowerAction::LogOff, done);
    r.power->restartMinimised(done);

    const std::string program = shutdownProgram();
    EXPECT_EQ(r.log, (std::vector<std::string>{program + " -S -t 0", program + " -R -t 0", program + " -l",
                                               program + " -R -t 0 [minimized]"}));
    EXPECT_EQ(outcomes, (std::vector<bool>{true, true, true, true}));
    EXPECT_NE(program.find(":\\"), std::string::npos);  // a full path, never found on PATH
}

TEST(WinPower, FastPowerOffTakesThePrivilegeThenPowersOff)
{
    Recorded r;
    std::optional<Result> outcome;
    r.power->fastPowerOff([&](Result result) { outcome = result; });
    EXPECT_EQ(r.log, (std::vector<std::string>{"adjustPrivilege", "shutdownSystem 2"}));
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->ok());
}

TEST(WinPower, ReportsWhyItFailed)
{
    Recorded refused;
    refused.calls->privilegeGranted = false;
    std::optional<Result> outcome;
    refused.power->fastPowerOff([&](Result result) { outcome = result; });
    EXPECT_EQ(refused.log, (std::vector<std::string>{"adjustPrivilege"}));  // no shutdown without the privilege
    ASSERT_TRUE(outcome);
    EXPECT_NE(outcome->reason.find("权限"), std::string::npos) << outcome->reason;

    Recorded denied;
    denied.calls->shutdownStatus = LONG(0xC0000022);  // STATUS_ACCESS_DENIED
    denied.power->fastPowerOff([&](Result result) { outcome = result; });
    EXPECT_NE(outcome->reason.find("0xC0000022"), std::string::npos) << outcome->reason;

    Recorded missing;
    missing.calls->startError = ERROR_FILE_NOT_FOUND;
    missing.power->request(PowerAction::LogOff, [&](Result result) { outcome = result; });
    EXPECT_FALSE(outcome->ok());
    EXPECT_NE(outcome->reason.find(wintext::systemMessage(ERROR_FILE_NOT_FOUND)), std::string::npos)
        << outcome->reason;
}

TEST(WinPower, NoTestReachedTheSystemsCalls)
{
    // Constructing the system's calls looks nothing up.
    const WinPower real;
    EXPECT_EQ(SystemPowerCalls::resolutions(), 0);
    EXPECT_EQ(SystemPowerCalls::processStarts(), 0);
}
