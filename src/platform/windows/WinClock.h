#pragma once

#include "core/services/Clock.h"

// The local time as Windows keeps it.
class WinClock final : public Clock {
public:
    LocalTime now() const override;
    std::chrono::milliseconds steadyNow() const override;
};
