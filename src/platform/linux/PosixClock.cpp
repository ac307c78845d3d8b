#include "PosixClock.h"

#include <ctime>

LocalTime PosixClock::now() const
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    return LocalTime::at(local.tm_year + 1900, unsigned(local.tm_mon + 1), unsigned(local.tm_mday), local.tm_hour,
                         local.tm_min, local.tm_sec);
}

std::chrono::milliseconds PosixClock::steadyNow() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}
