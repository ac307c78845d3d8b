#!/usr/bin/env bash
# Builds ombrel.exe and the floor Win32 program in build-windows-bench, a
# cross build of its own (build-windows is left as it is), and runs
# bench/wine_startup_bench.py on them: start-up, memory and idle under Wine
# against the floor, on a private Xvfb with openbox and trayer, in the Wine
# prefix build-windows-bench/wineprefix, made on the first run.
#
# Usage: tools/bench-windows.sh [--no-build] [--pairs N] [--settle S] [--idle S] [--verbose]
#   --no-build  use what is in build-windows-bench as it is
#   the others  go to the benchmark: alternating pairs (default 15), seconds
#               from the map to the memory reading (2) and of idle per run (20),
#               every run printed
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build-windows-bench

if [[ ${1:-} == --no-build ]]; then
  shift
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DOMBREL_TESTS=OFF -DOMBREL_BENCH=ON >/dev/null
  cmake --build "$build" --target ombrel_exe ombrel_ring_file ombrel_floor_exe
fi

echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
set -- python3 bench/wine_startup_bench.py --build "$build" "$@"
echo "\$ $*"
exec "$@"
