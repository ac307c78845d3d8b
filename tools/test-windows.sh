#!/usr/bin/env bash
# Builds the Windows version with MinGW-w64 in build-windows and runs its
# tests under Wine, in a Wine prefix of its own inside that folder. The
# packages come from tools/setup-debian.sh. A second run rebuilds only what
# changed and reuses the prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build-windows
export WINEPREFIX=$build/wineprefix

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DOMBREL_TESTS=ON -DOMBREL_BENCH=OFF >/dev/null
cmake --build "$build"

# The prefix is made on the first run. Wine's server and services for it are
# ended when the tests are done, whether they pass or not.
stop_wine() { wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT
cmake/wine-run.sh "$WINEPREFIX"

(cd "$build" && ctest --output-on-failure --timeout 300)
echo "Windows tests passed."
