#include "platform/windows/services/WinInstanceLock.h"

#include <gtest/gtest.h>

// A program name of the test's own, so that a running copy of the program
// and the test never see each other's lock.
TEST(WinInstanceLock, TheSecondCopyRefusesUntilTheFirstEnds)
{
    const std::wstring program = L"OmbrelLockTest-" + std::to_wstring(GetCurrentProcessId());
    {
        WinInstanceLock first(program);
        EXPECT_EQ(first.name().rfind(L"Local\\" + program + L"-", 0), 0u);
        const InstanceLock::Outcome held = first.acquire();
        EXPECT_FALSE(held.anotherRunning);
        EXPECT_EQ(held.problem, "");

        WinInstanceLock second(program);
        const InstanceLock::Outcome refused = second.acquire();
        EXPECT_TRUE(refused.anotherRunning);
        EXPECT_EQ(refused.problem, "");
        // Asking again changes nothing for either.
        EXPECT_TRUE(second.acquire().anotherRunning);
        EXPECT_FALSE(first.acquire().anotherRunning);
    }
    // The refused copy let its handle go, so the lock ended with the first.
    WinInstanceLock third(program);
    EXPECT_FALSE(third.acquire().anotherRunning);
}
