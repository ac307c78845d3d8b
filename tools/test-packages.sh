#!/usr/bin/env bash
# Builds the packages (tools/package.sh) and tests each one: installed,
# started and removed again, on a private Xvfb and, for the Windows ones, in
# a Wine prefix of their own (tests/packages).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/package.sh
unset DISPLAY WAYLAND_DISPLAY
cd tests/packages
OMBREL_DIST=$root/dist OMBREL_BINARY=$root/build-release/ombrel \
  OMBREL_WIN_PROGRAM=$root/build-release-windows/ombrel.exe PYTHONDONTWRITEBYTECODE=1 \
  python3 -m unittest -v test_packages
echo "Package tests passed."
