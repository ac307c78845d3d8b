#pragma once

#include "core/Result.h"

#include <string>

// Hands paths to the system's default handlers, without waiting for them.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens path as a double-click in the file manager would: a shortcut
    // starts its target in its working folder, a document opens in its
    // application.
    virtual Result open(const std::string& path) = 0;
    // Shows a folder in the user's file manager.
    virtual Result openFolder(const std::string& folder) = 0;
    // Opens a web address in the user's default browser, exactly as given.
    virtual Result openUrl(const std::string& url) = 0;
};
