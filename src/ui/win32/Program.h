#pragma once

#include "platform/SystemServices.h"

#include <functional>
#include <memory>

// The Windows program from start to end: the one-copy check before any
// window, the services (made by makeServices once the check passed), the
// session with its tray icon and main window, and the message loop. Returns
// the exit code.
int runProgram(const std::function<std::unique_ptr<SystemServices>()>& makeServices);
