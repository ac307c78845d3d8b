#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use; without a program, it is only made.
#
# Wine takes the ANSI code page from the locale's name: zh_CN gives 936. It
# takes the character set of Unix file names from the C library's locale, so
# that locale must exist as well, or every file name outside ASCII fails. The
# C.UTF-8 locale is offered under the name zh_CN.UTF-8 in a folder beside the
# prefix, which needs neither root nor a generated Chinese locale.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all
# Never the user's display: only a private one that the caller names.
unset DISPLAY WAYLAND_DISPLAY
if [ -n "${OMBREL_WINE_DISPLAY:-}" ]; then
  export DISPLAY=$OMBREL_WINE_DISPLAY
fi

locales=$prefix.locales
if [ ! -e "$locales/zh_CN.UTF-8" ]; then
  mkdir -p "$locales"
  ln -sfn /usr/lib/locale/C.utf8 "$locales/zh_CN.UTF-8"
fi
# Given to wine only: the shell itself keeps its own locale. Wine's home is a
# folder beside the prefix, so that the Windows desktop and documents folders
# (which tests write shortcuts into) are not the user's, and the menu builder
# that would mirror shortcuts into the user's desktop menus is off.
mkdir -p "$prefix.home"
chinese=(env LOCPATH="$locales" LC_ALL=zh_CN.UTF-8 HOME="$prefix.home" WINEDLLOVERRIDES="winemenubuilder.exe=d")

ready=$prefix/.ombrel-ready
if [ ! -f "$ready" ]; then
  # Tests that ctest runs side by side must not make the prefix twice.
  exec 9>"$prefix.lock"
  flock 9
  if [ ! -f "$ready" ]; then
    timeout 120 "${chinese[@]}" wine wineboot -i >/dev/null 2>&1 || {
      echo "wine-run.sh: cannot make the Wine prefix $prefix" >&2
      exit 1
    }
    touch "$ready"
  fi
  flock -u 9
  exec 9>&-
fi
[ $# -gt 0 ] || exit 0

# The program's output goes through files: Wine's server and services, which
# the first program starts, would inherit a pipe and hold it open for seconds
# after the program ends, and ctest reads the output through a pipe.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
"${chinese[@]}" wine "$@" </dev/null >"$out" 2>"$err" || status=$?
cat "$out"
cat "$err" >&2
exit "$status"
