#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup-debian.sh
cmake -S . -B build -G Ninja -DOMBREL_TESTS=OFF -DOMBREL_BENCH=OFF
cmake --build build --target ombrel
exec build/ombrel
