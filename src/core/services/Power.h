#pragma once

#include "core/Result.h"

#include <functional>

enum class PowerAction { PowerOff, Reboot, LogOff };

// Powering the machine off, restarting it and ending the user's session.
// A request never waits for the system; the outcome comes on the
// user-interface thread through done (success, or failure with the reason),
// later or, where the system answers at once, before request returns.
class Power {
public:
    virtual ~Power() = default;
    virtual void request(PowerAction action, std::function<void(Result)> done) = 0;
};
