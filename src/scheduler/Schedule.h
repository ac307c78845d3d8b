#pragma once

#include <QString>
#include <QTime>

#include <optional>

// What a schedule does when it is due.
enum class ScheduleAction { Alarm, PowerOff, Reboot, LogOff, RunProgram };

// The number in a time box: its leading decimal digits, the empty text
// reading as 0.
int boxNumber(const QString& text);

// Whether a key press may reach a time box: Backspace and the digits only.
// Keys that type nothing, and Tab and Delete, are not typing and pass.
bool keptInTimeBox(int key, const QString& text);

// The notice for a box value above its range ("范围：[0,23]"); nothing when
// the value fits.
std::optional<QString> rangeNotice(const QString& text, int highest);

// Whether a schedule set to a clock time is due at this minute of the day.
bool clockTimeDue(const QTime& now, const QString& hourText, const QString& minuteText);

// One minute of a countdown: the minutes left, written back to the box, and
// whether the schedule is now due.
struct CountdownStep {
    QString minutesLeft;
    bool due = false;
};
CountdownStep countDown(const QString& minutesText);
