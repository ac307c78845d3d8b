#include "StatusText.h"

#include <array>

namespace {

std::string twoDigits(long long n)
{
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

}  // namespace

std::string weekdayName(short weekday)
{
    static const std::array<const char*, 7> names{"日", "一", "二", "三", "四", "五", "六"};
    if (weekday < 1 || weekday > 7)
        return {};
    return names[std::size_t(weekday - 1)];
}

std::string timeOfDay(const LocalTime& local)
{
    return twoDigits(local.hour()) + ":" + twoDigits(local.minute()) + ":" + twoDigits(local.second());
}

std::string dateLine(const LocalTime& local)
{
    const short week = short(local.weekday() + 1);
    return std::to_string(int(local.date.year())) + "年" + std::to_string(unsigned(local.date.month())) + "月"
           + std::to_string(unsigned(local.date.day())) + "日 星期" + weekdayName(week) + " €" + timeOfDay(local);
}

std::string upTimeText(std::chrono::milliseconds upTime)
{
    const long long s = upTime.count() / 1000;
    const long long hours = s / 3600;
    const long long minutes = (s - 3600 * hours) / 60;
    const long long seconds = s - 3600 * hours - 60 * minutes;
    return twoDigits(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(seconds);
}

std::string bootModeMessage(int bootMode)
{
    switch (bootMode) {
    case 1: return "系统安全模式已运行";
    case 2: return "系统网络安全模式已运行";
    default: return "系统正常模式已运行";
    }
}
