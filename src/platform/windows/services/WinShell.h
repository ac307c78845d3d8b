#pragma once

#include "core/services/Shell.h"

#include <windows.h>

#include <cstdint>

// Hands paths to Windows' shell (ShellExecuteW), which starts the handler
// and returns without waiting for it.
class WinShell final : public Shell {
public:
    Result open(const std::string& path) override;
    Result openFolder(const std::string& folder) override;
    Result openUrl(const std::string& url) override;

    // The system's sentence for what ShellExecuteW returned when it is 32 or
    // less; its SE_ERR codes are turned into the matching system errors.
    static std::string reasonOf(std::intptr_t code);
};
