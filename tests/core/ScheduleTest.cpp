#include "core/scheduler/Schedule.h"

#include <limits>

#include <gtest/gtest.h>

TEST(ScheduleTest, BoxesReadTheirLeadingDigits)
{
    EXPECT_EQ(boxNumber(""), 0);
    EXPECT_EQ(boxNumber("059"), 59);
    EXPECT_EQ(boxNumber("12ab"), 12);
    EXPECT_EQ(boxNumber("99999999999999"), std::numeric_limits<int>::max());
}

TEST(ScheduleTest, OnlyBackspaceAndDigitsAreTyped)
{
    for (const char* typed : {"0", "5", "9", "\b"})
        EXPECT_TRUE(keptInTimeBox(BoxKey::Other, typed)) << typed;
    for (const char* typed : {"a", "-", ".", " ", "\r", "\x16", "12"})
        EXPECT_FALSE(keptInTimeBox(BoxKey::Other, typed)) << typed;
    EXPECT_FALSE(keptInTimeBox(BoxKey::Other, "５"));  // a full-width digit is not a digit here
    // Keys that type nothing, and moving on or deleting, are not typing.
    EXPECT_TRUE(keptInTimeBox(BoxKey::Other, ""));
    EXPECT_TRUE(keptInTimeBox(BoxKey::Tab, "\t"));
    EXPECT_TRUE(keptInTimeBox(BoxKey::Backtab, ""));
    EXPECT_TRUE(keptInTimeBox(BoxKey::Delete, "\x7f"));
}

TEST(ScheduleTest, RangeNoticesNameTheRange)
{
    EXPECT_EQ(rangeNotice("24", 23), "范围：[0,23]");
    EXPECT_EQ(rangeNotice("23", 23), std::nullopt);
    EXPECT_EQ(rangeNotice("60", 59), "范围：[0,59]");
    EXPECT_EQ(rangeNotice("059", 59), std::nullopt);
    EXPECT_EQ(rangeNotice("", 23), std::nullopt);
}

TEST(ScheduleTest, AClockTimeIsDueInItsMinuteAndACountdownAtZero)
{
    const auto at = [](int h, int m, int s) { return LocalTime::at(2026, 12, 8, h, m, s); };
    EXPECT_TRUE(clockTimeDue(at(0, 0, 30), "0", "0"));
    EXPECT_TRUE(clockTimeDue(at(12, 0, 10), "12", "00"));
    EXPECT_FALSE(clockTimeDue(at(12, 1, 10), "12", "0"));
    EXPECT_FALSE(clockTimeDue(at(23, 59, 30), "0", "0"));

    EXPECT_EQ(countDown("3").minutesLeft, "2");
    EXPECT_FALSE(countDown("3").due);
    EXPECT_EQ(countDown("1").minutesLeft, "0");
    EXPECT_TRUE(countDown("1").due);
}
