#pragma once

#include "platform/SystemServices.h"
#include "platform/windows/services/WinPower.h"

#include <memory>

// The Windows services with the power service's calls given: the system's
// own for the program, recording ones for the tests that drive it.
std::unique_ptr<SystemServices> makeWinSystemServices(std::unique_ptr<PowerCalls> powerCalls);
