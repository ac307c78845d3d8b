#!/bin/sh
# Builds the program and the benchmarks in build/ and runs both benchmarks:
#   1. the profile store (batched add and load against the naive way),
#   2. the launcher list's commands end to end in the main window,
#   3. the start-up of ombrel against a floor Qt Widgets program,
#   4. the idle CPU time of the running window against two floors.
#
# Usage: tools/bench.sh [--quick] [--runs N] [--full-naive] [--no-build] [--verbose]
#   --quick       fewer repetitions in both benchmarks
#   --runs N      measured start-up runs of each program (default 10)
#   --full-naive  run the naive profile strategy in full for 10,000 items as
#                 well (about 7 minutes each for add and load) instead of
#                 extrapolating from a sample of its calls
#   --no-build    use what is in build/ as it is
#   --verbose     print every start-up run
#
# Only the targets the benchmarks need are built, so a test that does not
# compile at the moment does not stop the benchmarks.
set -eu

cd "$(dirname "$0")/.."

quick=""
runs=10
full_naive=""
build=1
verbose=""
while [ $# -gt 0 ]; do
    case "$1" in
        --quick) quick=1 ;;
        --runs) runs="$2"; shift ;;
        --full-naive) full_naive=1 ;;
        --no-build) build="" ;;
        --verbose) verbose=1 ;;
        *) echo "usage: $0 [--quick] [--runs N] [--full-naive] [--no-build] [--verbose]" >&2; exit 2 ;;
    esac
    shift
done
if [ -n "$quick" ] && [ "$runs" = 10 ]; then
    runs=5
fi

if [ -n "$build" ]; then
    cmake -S . -B build -G Ninja -DOMBREL_BENCH=ON >/dev/null
    cmake --build build --target ombrel ombrel_floor ombrel_profile_bench ombrel_list_bench
fi

echo
echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== build type: $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' build/CMakeCache.txt | sed 's/^$/RelWithDebInfo (project default)/')"
echo

echo "== 1. profile store"
set -- build/ombrel_profile_bench
[ -n "$quick" ] && set -- "$@" --quick
[ -n "$full_naive" ] && set -- "$@" --full-naive
echo "\$ $*"
"$@"
echo

echo "== 2. launcher list"
set -- build/ombrel_list_bench
[ -n "$quick" ] && set -- "$@" --repeat 7
echo "\$ $*"
"$@"
echo

echo "== 3. start-up"
if ! command -v Xvfb >/dev/null 2>&1 || ! command -v openbox >/dev/null 2>&1; then
    echo "skipped: Xvfb and openbox are needed"
    exit 0
fi
set -- python3 bench/startup_bench.py --build build --runs "$runs"
[ -n "$verbose" ] && set -- "$@" --verbose
echo "\$ $*"
"$@"
echo

echo "== 4. idle"
set -- python3 bench/idle_bench.py --build build
[ -n "$quick" ] && set -- "$@" --seconds 20
echo "\$ $*"
"$@"
