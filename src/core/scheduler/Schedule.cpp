#include "Schedule.h"

#include <algorithm>
#include <limits>

int boxNumber(std::string_view text)
{
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<long long>(value * 10 + (c - '0'), std::numeric_limits<int>::max());
    }
    return int(value);
}

bool keptInTimeBox(BoxKey key, std::string_view text)
{
    if (text.empty() || key != BoxKey::Other)
        return true;
    if (text.size() != 1)
        return false;
    const char c = text.front();
    return c == '\b' || (c >= '0' && c <= '9');
}

std::optional<std::string> rangeNotice(std::string_view text, int highest)
{
    if (boxNumber(text) <= highest)
        return std::nullopt;
    return "范围：[0," + std::to_string(highest) + "]";
}

bool clockTimeDue(const LocalTime& now, std::string_view hourText, std::string_view minuteText)
{
    return now.hour() == boxNumber(hourText) && now.minute() == boxNumber(minuteText);
}

CountdownStep countDown(std::string_view minutesText)
{
    const int left = boxNumber(minutesText) - 1;
    return {std::to_string(left), left == 0};
}
