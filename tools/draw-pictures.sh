#!/bin/sh
# Draws the pictures the Windows program carries (assets/windows: the icon
# file and the background at 96 and 192 dots per inch) with the Qt build's
# drawing code. Run it after changing that code; a ui test holds the files
# equal to what the code draws.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target ombrel_icons
build/src/ombrel_icons --windows assets/windows
