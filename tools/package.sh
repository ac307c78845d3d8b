#!/usr/bin/env bash
# Builds the release packages in dist/:
#   ombrel_<version>_amd64.deb     the Debian package
#   Ombrel-<version>-win64.zip     the portable Windows program
#   Ombrel-<version>-setup.exe     the per-user Windows installer
#   SHA256SUMS
# The version is the CMake project's; packaging/changelog must begin with it.
# Release builds go to build-release/ and build-release-windows/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup-debian.sh

# The changelog's newest entry dates the release, so that the same sources
# give the same packages.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)
export SOURCE_DATE_EPOCH
changelog_version=$(dpkg-parsechangelog -l packaging/changelog -S Version)

# -- the Linux program, built with Debian's hardening flags -----------------
linux_build=$root/build-release
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOMBREL_TESTS=OFF -DOMBREL_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$linux_build"

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$linux_build/CMakeCache.txt"; }
version=$(cache_value CMAKE_PROJECT_VERSION)
app_id=$(cache_value OMBREL_APP_ID)
publisher=$(cache_value OMBREL_PUBLISHER)
homepage=$(cache_value OMBREL_HOMEPAGE)
if [[ $changelog_version != "$version" ]]; then
  echo "packaging/changelog begins with $changelog_version, but the project's version is $version" >&2
  exit 1
fi

dist=$root/dist
mkdir -p "$dist"
rm -f "$dist"/ombrel_*.deb "$dist"/Ombrel-*.zip "$dist"/Ombrel-*-setup.exe "$dist/SHA256SUMS"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# -- the Debian package ------------------------------------------------------
stage=$scratch/deb
DESTDIR=$stage cmake --install "$linux_build" --strip >/dev/null
docs=$stage/usr/share/doc/ombrel
mkdir -p "$docs"
strip --remove-section=.comment --remove-section=.note "$stage/usr/bin/ombrel"
gzip -9n "$stage/usr/share/man/man1/ombrel.1"
gzip -9nc packaging/changelog >"$docs/changelog.gz"
{
  printf 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n'
  printf 'Upstream-Name: Ombrel\nSource: %s\n\n' "$homepage"
  printf 'Files: *\nCopyright: 2026 %s\nLicense: Expat\n' "$publisher"
  sed -e '1,/^Permission/{/^Permission/!d}' -e 's/^$/./' -e 's/^/ /' LICENSE
} >"$docs/copyright"
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$stage/usr/bin/ombrel"

# The libraries' packages, as dpkg-shlibdeps finds them from the binary.
mkdir -p "$scratch/shlibs/debian"
printf 'Source: ombrel\n\nPackage: ombrel\nArchitecture: amd64\n' >"$scratch/shlibs/debian/control"
shlib_depends=$(cd "$scratch/shlibs" && dpkg-shlibdeps -O -e"$stage/usr/bin/ombrel" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
mkdir -p "$stage/DEBIAN"
cat >"$stage/DEBIAN/control" <<EOF
Package: ombrel
Version: $version
Architecture: amd64
Maintainer: $(sed -n 's/^ -- \(.*>\)  .*/\1/p' packaging/changelog | head -n1)
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $shlib_depends, qt6-qpa-plugins
Recommends: fonts-wqy-microhei | fonts-noto-cjk, libcanberra-pulse, sound-theme-freedesktop, libglib2.0-bin
Section: utils
Priority: optional
Homepage: $homepage
Description: desktop companion with a Chinese interface, in the tray
 Ombrel sits in the system tray and opens a compact window with a list of
 programs, documents and folders to start, a web search box, a timed
 power-off, restart or alarm, a broadband (PPPoE) dial-up dialog, a screen
 lock with its own password, quick buttons for the desktop's tools and a
 status area with the clock, up-time and local address.
 .
 Its settings are kept in one file, Ombrel.ini, in the format the Windows
 version of the program reads and writes.
EOF
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
deb=$dist/ombrel_${version}_amd64.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null

# -- the Windows program -------------------------------------------------------
windows_build=$root/build-release-windows
cmake -S . -B "$windows_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DOMBREL_TESTS=OFF -DOMBREL_BENCH=OFF >/dev/null
cmake --build "$windows_build"

files=$scratch/windows
mkdir -p "$files"
cp "$windows_build/ombrel.exe" "$windows_build/Ring.wav" "$files/"
# Notepad on every Windows reads UTF-8 with a byte order mark and CR LF ends.
python3 - packaging/windows/说明.txt "$files/说明.txt" "$version" <<'EOF'
import sys
source, target, version = sys.argv[1:]
text = open(source, encoding="utf-8").read().replace("@VERSION@", version)
with open(target, "w", encoding="utf-8-sig", newline="\r\n") as f:
    f.write(text)
EOF
zip=$dist/Ombrel-${version}-win64.zip
python3 - "$zip" "$files" ombrel.exe Ring.wav 说明.txt <<'EOF'
import os, sys, time, zipfile
target, folder, *names = sys.argv[1:]
stamp = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for name in names:  # zipfile marks the Chinese name as UTF-8
        entry = zipfile.ZipInfo(name, stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o644 << 16
        with open(os.path.join(folder, name), "rb") as f:
            archive.writestr(entry, f.read())
EOF

setup=$dist/Ombrel-${version}-setup.exe
IFS=. read -r major minor patch _ <<<"$version.0.0"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="${major}.${minor:-0}.${patch:-0}.0" \
  -DPUBLISHER="$publisher" -DHOMEPAGE="$homepage" -DSOURCE="$files" -DICON="$root/assets/windows/ombrel.ico" \
  -DOUTFILE="$setup" packaging/windows/ombrel.nsi

(cd "$dist" && sha256sum "$(basename "$deb")" "$(basename "$zip")" "$(basename "$setup")" >SHA256SUMS)
echo "Packages of Ombrel $version ($app_id) in dist/:"
(cd "$dist" && ls -l --block-size=K "$(basename "$deb")" "$(basename "$zip")" "$(basename "$setup")")
