#pragma once

#include "core/services/Shell.h"

// Opens paths through GIO, which reads the user's default applications
// (mimeapps.list) and launches desktop entries itself. GLib reaps the
// started processes from the default main context, which Qt's event loop
// runs.
class GioShell final : public Shell {
public:
    Result open(const std::string& path) override;
    Result openFolder(const std::string& folder) override;
    Result openUrl(const std::string& url) override;
};
