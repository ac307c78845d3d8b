#pragma once

#include "core/Result.h"

// The desktop's own places and tools, in whatever form the running desktop
// has them. Each call starts its program without waiting for it; a failure
// says what was looked for and why it could not be started.
class DesktopApps {
public:
    enum class Place {
        Computer,  // the drives and places of the machine
        Trash,     // the deleted files
    };
    enum class Tool {
        Settings,       // the desktop's settings application
        SystemMonitor,  // the desktop's list of running programs
    };

    virtual ~DesktopApps() = default;
    // Shows the place in the user's file manager.
    virtual Result openPlace(Place place) = 0;
    // Starts the desktop's tool.
    virtual Result start(Tool tool) = 0;
};
