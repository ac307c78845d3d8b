#pragma once

// Maps the Windows font names the windows ask for to fonts found on this
// system, so Chinese text always renders.
void installFontSubstitutes();
