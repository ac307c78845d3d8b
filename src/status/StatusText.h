#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// The weekday's name from its number, Sunday being 1; empty for any number
// outside 1 to 7.
QString GetWD(short Week);

// "2026年12月6日 星期日 €16:49:53": month and day without leading zeros,
// the time always with two digits.
QString dateLine(const QDateTime& local);

// "hh:mm:ss".
QString timeOfDay(const QTime& time);

// The time since the system started as "hh:mm:ss". Hours go on past 23
// ("100:05:09"); minutes and seconds stay two digits.
QString upTimeText(std::uint64_t milliseconds);

// Boot modes as the system reports them: 0 normal, 1 safe mode, 2 safe mode
// with networking.
QString bootModeMessage(int bootMode);
