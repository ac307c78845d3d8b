#pragma once

#include "core/Result.h"

#include <string>

// Plays the alarm ring.
class Sound {
public:
    virtual ~Sound() = default;
    // Plays the sound file once without waiting for it to end. When the
    // file is missing, the desktop's own alarm sound plays instead. While a
    // ring is still sounding, a new one is not started on top of it.
    virtual Result playRing(const std::string& file) = 0;
};
