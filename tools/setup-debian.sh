#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Installs only what is missing, so running it again changes nothing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config qt6-base-dev libicu-dev libx11-dev libglib2.0-dev
  libgtest-dev libgmock-dev googletest libcanberra-dev
  # the Han table of pinyin readings is made from Unihan at build time; Debian
  # ships it compressed with bzip2
  unicode-data bzip2
  # run: the X11 platform plugin, a font for the Chinese texts, and the gio
  # tool that desktop shortcuts to documents and desktop entries start
  qt6-qpa-plugins fonts-wqy-microhei libglib2.0-bin shared-mime-info
  # run: the alarm ring, through PulseAudio, with the desktop's alarm sound
  # for when Ring.wav is missing
  libcanberra0 libcanberra-pulse sound-theme-freedesktop
  # sound tests: a private PulseAudio server, its recorder, and sox to measure
  pulseaudio pulseaudio-utils sox
  # end-to-end tests and screenshots: a virtual X server, window manager, tray,
  # and stand-ins for logind and the session managers on private D-Bus buses
  xvfb xauth openbox trayer xdotool x11-utils imagemagick python3 dbus-daemon dbus-bin
  desktop-file-utils x11-xserver-utils python3-dbusmock util-linux xclip
  # the Windows build, tested under Wine
  g++-mingw-w64-x86-64-posix wine wine64
  # the packages (tools/package.sh) and their checks
  dpkg-dev lintian appstream nsis
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
