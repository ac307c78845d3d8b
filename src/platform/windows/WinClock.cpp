#include "WinClock.h"

#include <windows.h>

LocalTime WinClock::now() const
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    return LocalTime::at(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

std::chrono::milliseconds WinClock::steadyNow() const
{
    return std::chrono::milliseconds(GetTickCount64());
}
