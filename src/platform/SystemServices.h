#pragma once

#include "InstanceLock.h"
#include "Platform.h"

#include <memory>

// The one-copy test, made before anything else so that a second start ends
// before it even connects to the display.
std::unique_ptr<InstanceLock> makeInstanceLock();

// Every service of the system that the windows use, made for the system the
// program was built for (CMake chooses the implementation). Make it once the
// application object exists; it lives as long as the program.
class SystemServices {
public:
    virtual ~SystemServices() = default;
    virtual Platform& platform() = 0;
};

std::unique_ptr<SystemServices> makeSystemServices();
