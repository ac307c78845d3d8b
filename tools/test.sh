#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test:
# unit, ui, platform and end-to-end tests in a normal build, then the unit,
# ui and platform tests again in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows build's tests under Wine, then
# the packages, each installed, started and removed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup-debian.sh

cmake -S . -B build -G Ninja -DOMBREL_TESTS=ON -DOMBREL_BENCH=ON
cmake --build build
(cd build && ctest --output-on-failure --timeout 300)

cmake -S . -B build-sanitize -G Ninja -DOMBREL_SANITIZE=ON -DOMBREL_TESTS=ON -DOMBREL_BENCH=OFF
cmake --build build-sanitize --target ombrel_unit_tests ombrel_ui_tests ombrel_platform_tests
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure --timeout 300 -L 'unit|ui|platform')

tools/test-windows.sh
tools/test-packages.sh
echo "All tests passed."
