#pragma once

#include "core/services/Clock.h"

#include <chrono>
#include <string>

// The weekday's name from its number, Sunday being 1; empty for any number
// outside 1 to 7.
std::string weekdayName(short weekday);

// "2026年12月6日 星期日 €16:49:53": month and day without leading zeros,
// the time always with two digits.
std::string dateLine(const LocalTime& local);

// "hh:mm:ss".
std::string timeOfDay(const LocalTime& local);

// The time since the system started as "hh:mm:ss". Hours go on past 23
// ("100:05:09"); minutes and seconds stay two digits.
std::string upTimeText(std::chrono::milliseconds upTime);

// Boot modes as the system reports them: 0 normal, 1 safe mode, 2 safe mode
// with networking.
std::string bootModeMessage(int bootMode);
