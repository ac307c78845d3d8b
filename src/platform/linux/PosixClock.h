#pragma once

#include "core/services/Clock.h"

// The local time of the system's time zone.
class PosixClock : public Clock {
public:
    LocalTime now() const override;
    std::chrono::milliseconds steadyNow() const override;
};
