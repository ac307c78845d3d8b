#pragma once

#include "core/services/Clock.h"

#include <optional>
#include <string>
#include <string_view>

// What a schedule does when it is due.
enum class ScheduleAction { Alarm, PowerOff, Reboot, LogOff, RunProgram };

// The number in a time box: its leading decimal digits, the empty text
// reading as 0.
int boxNumber(std::string_view text);

// A key press at a time box: the keys that move the caret or focus, and the
// rest, which carry the text they type (empty for keys that type nothing).
enum class BoxKey { Tab, Backtab, Delete, Other };

// Whether a key press may reach a time box: Backspace and the digits only.
// Keys that type nothing, and Tab and Delete, are not typing and pass.
bool keptInTimeBox(BoxKey key, std::string_view text);

// The notice for a box value above its range ("范围：[0,23]"); nothing when
// the value fits.
std::optional<std::string> rangeNotice(std::string_view text, int highest);

// Whether a schedule set to a clock time is due at this minute of the day.
bool clockTimeDue(const LocalTime& now, std::string_view hourText, std::string_view minuteText);

// One minute of a countdown: the minutes left, written back to the box, and
// whether the schedule is now due.
struct CountdownStep {
    std::string minutesLeft;
    bool due = false;
};
CountdownStep countDown(std::string_view minutesText);
