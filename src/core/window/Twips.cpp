#include "Twips.h"

#include <cmath>

int Twips::toPixels(double twips) const
{
    // std::nearbyint rounds in the current mode, which is to nearest with
    // halves to even unless someone changed it.
    return static_cast<int>(std::nearbyint(twips / perPixel_));
}
