#pragma once

#include "platform/Shell.h"

// Opens paths through GIO, which reads the user's default applications
// (mimeapps.list) and launches desktop entries itself. GLib reaps the
// started processes from the default main context, which Qt's event loop
// runs.
class GioShell final : public Shell {
public:
    PlatformResult open(const QString& path) override;
    PlatformResult openFolder(const QString& folder) override;
    PlatformResult openUrl(const QString& url) override;
};
