#pragma once

#include "core/services/Process.h"

// Ends the process with ExitProcess(0): every thread stops where it is, no
// window is closed first and nothing is saved.
class WinProcess final : public Process {
public:
    [[noreturn]] void exitNow() override;
};
