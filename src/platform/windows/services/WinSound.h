#pragma once

#include "core/services/Sound.h"

// Plays the ring with PlaySoundW, which returns at once and plays on in the
// background. A ring still sounding in this process is not cut off or
// doubled: the new one is left out (SND_NOSTOP).
class WinSound final : public Sound {
public:
    Result playRing(const std::string& file) override;
};
