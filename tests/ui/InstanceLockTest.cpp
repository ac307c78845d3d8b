#include "platform/linux/LinuxInstanceLock.h"
#include "support/CoreTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(LinuxInstanceLock, OneHolderAtATimeAndTheLockGoesWithItsHolder)
{
    TempFolder folder;
    const QString path = QString::fromStdString(folder.file("ombrel.lock"));

    auto first = std::make_unique<LinuxInstanceLock>(path);
    EXPECT_FALSE(first->acquire().anotherRunning);
    EXPECT_FALSE(first->acquire().anotherRunning);  // asking again is harmless

    LinuxInstanceLock second(path);
    const InstanceLock::Outcome outcome = second.acquire();
    EXPECT_TRUE(outcome.anotherRunning);
    EXPECT_TRUE(outcome.problem.empty());

    first.reset();
    LinuxInstanceLock third(path);
    EXPECT_FALSE(third.acquire().anotherRunning);
}

TEST(LinuxInstanceLock, AnUnusableLockPlaceIsReportedNotTakenForAnotherCopy)
{
    LinuxInstanceLock lock(QStringLiteral("/nonexistent-folder/ombrel.lock"));
    const InstanceLock::Outcome outcome = lock.acquire();
    EXPECT_FALSE(outcome.anotherRunning);
    EXPECT_FALSE(outcome.problem.empty());
}

}  // namespace
