#pragma once

#include "core/Result.h"

#include <functional>

enum class PowerAction { PowerOff, Reboot, LogOff };

// Powering the machine off, restarting it and ending the user's session.
// A request returns at once; the outcome arrives later, on the user-interface
// thread, through done (success, or failure with the reason).
class Power {
public:
    virtual ~Power() = default;
    virtual void request(PowerAction action, std::function<void(Result)> done) = 0;
};
