#pragma once

#include <chrono>

// A moment of the local calendar and clock, to the second.
struct LocalTime {
    std::chrono::year_month_day date{};
    std::chrono::seconds sinceMidnight{0};

    int hour() const { return int(sinceMidnight.count() / 3600); }
    int minute() const { return int(sinceMidnight.count() / 60 % 60); }
    int second() const { return int(sinceMidnight.count() % 60); }
    // Sunday is 0, as std::chrono::weekday counts.
    unsigned weekday() const { return std::chrono::weekday(std::chrono::sys_days(date)).c_encoding(); }

    static LocalTime at(int year, unsigned month, unsigned day, int hour, int minute, int second)
    {
        return {std::chrono::year(year) / std::chrono::month(month) / std::chrono::day(day),
                std::chrono::seconds(hour * 3600 + minute * 60 + second)};
    }
};

// The local date and time, and a steady count for spans of time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
    // Milliseconds from a fixed moment; never goes back, whatever is done
    // to the calendar clock.
    virtual std::chrono::milliseconds steadyNow() const = 0;
};
