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

# The window tests (tray icon, keyboard hook, layered window) need a display:
# a private Xvfb, never the user's, when Xvfb is there. The prefix is made on
# the first run. Wine's server and the Xvfb are ended when the tests are done,
# whether they pass or not.
xvfb_pid=""
stop_all() {
  wineserver -k 2>/dev/null || true
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop_all EXIT
unset DISPLAY WAYLAND_DISPLAY
if command -v Xvfb >/dev/null; then
  displayfd=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$displayfd" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s $displayfd ]] && break; sleep 0.1; done
  if [[ -s $displayfd ]]; then export OMBREL_WINE_DISPLAY=":$(head -n1 "$displayfd")"; fi
  rm -f "$displayfd"
fi
cmake/wine-run.sh "$WINEPREFIX"

(cd "$build" && ctest --output-on-failure --timeout 300)
echo "Windows tests passed."
