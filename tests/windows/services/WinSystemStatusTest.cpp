#include "platform/windows/services/WinSystemStatus.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>

TEST(WinSystemStatus, UpTimeGrows)
{
    const WinSystemStatus status;
    const auto first = status.millisecondsSinceBoot();
    ASSERT_TRUE(first.has_value());
    EXPECT_GT(*first, 0u);
    Sleep(50);
    const auto later = status.millisecondsSinceBoot();
    ASSERT_TRUE(later.has_value());
    EXPECT_GE(*later, *first + 30);
}

TEST(WinSystemStatus, BootModeAndAddressHaveTheirForms)
{
    const WinSystemStatus status;
    EXPECT_GE(status.bootMode(), 0);
    EXPECT_LE(status.bootMode(), 2);
    const std::string address = status.localAddress();
    static const std::regex dottedQuad(R"((25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)(\.(25[0-5]|2[0-4]\d|1\d\d|[1-9]?\d)){3})");
    EXPECT_TRUE(address.empty() || std::regex_match(address, dottedQuad)) << address;
    RecordProperty("localAddress", address);
}
