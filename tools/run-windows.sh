#!/usr/bin/env bash
# Sets up a Debian 12 machine, cross-builds the Windows program and starts
# ombrel.exe under Wine on this desktop, with the Chinese ANSI code page
# (936). The Wine prefix is build-windows/wineprefix, made on first use; the
# program keeps its profile, Ombrel.ini, beside the exe in build-windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup-debian.sh
build=$root/build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DOMBREL_TESTS=OFF -DOMBREL_BENCH=OFF >/dev/null
cmake --build "$build" --target ombrel_exe ombrel_ring_file
# wine-run.sh only ever uses a display it is given.
export OMBREL_WINE_DISPLAY=${DISPLAY:?"run-windows.sh needs a desktop: DISPLAY is not set"}
exec cmake/wine-run.sh "$build/wineprefix" "$build/ombrel.exe"
