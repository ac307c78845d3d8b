#!/usr/bin/env bash
# Renders the main window under Xvfb (with openbox and trayer) into
# docs/main-window.png. Builds nothing: give the path of a built ombrel,
# by default build/ombrel.
# Needs python3, Xvfb, openbox, trayer, xdotool, x11-utils and imagemagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

binary=${1:-$root/build/ombrel}
if [[ ! -x $binary ]]; then
  echo "screenshot: no built program at $binary (build it first, or pass its path)" >&2
  exit 1
fi

export PYTHONDONTWRITEBYTECODE=1
exec python3 "$root/tools/screenshot.py" "$binary" "$root/docs/main-window.png"
