#pragma once

#include "Result.h"

#include <QString>

// Hands paths to the system's default handlers, without waiting for them.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens path as a double-click in the file manager would: a shortcut
    // starts its target in its working folder, a document opens in its
    // application.
    virtual PlatformResult open(const QString& path) = 0;
    // Shows a folder in the user's file manager.
    virtual PlatformResult openFolder(const QString& folder) = 0;
    // Opens a web address in the user's default browser, exactly as given.
    virtual PlatformResult openUrl(const QString& url) = 0;
};
