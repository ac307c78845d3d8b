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
    // The quick panel's 快速关机 and 重启. Where the system has a power-off
    // that does not wait for programs to close, or a restart whose window
    // can stay minimised, they use it; otherwise they are request().
    virtual void quickPowerOff(std::function<void(Result)> done) { request(PowerAction::PowerOff, std::move(done)); }
    virtual void quickRestart(std::function<void(Result)> done) { request(PowerAction::Reboot, std::move(done)); }
};
