#pragma once

#include "core/Result.h"

// The desktop shown behind all windows.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Makes the desktop refresh its view, as the F5 key does. Fails when no
    // desktop window is found.
    virtual Result refresh() = 0;
};
