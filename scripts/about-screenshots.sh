#!/usr/bin/env bash
# Takes the README's screenshots of the about window, at 96 and 144 DPI, as a user sees it:
# the probe runs showAboutWindow under Wine on a private Xvfb, and ImageMagick captures the
# window. Writes docs/about-96dpi.png and docs/about-144dpi.png.
set -euo pipefail
tarvisk_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$tarvisk_root/scripts/setup.sh"
build=${TARVISK_BUILD:-$tarvisk_root/build}
title="Tarvisk 1.11 (x64)"

tarvisk_install
tarvisk_build "$build"

export WINEPREFIX=$build/wine/screenshots WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=en_US.UTF-8
wine=$("$tarvisk_root/tests/wine/find-wine.sh")
wineserver=$(dirname "$wine")/wineserver
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  tarvisk_stop_display
}
trap cleanup EXIT
unset DISPLAY
tarvisk_start_display
"$tarvisk_root/tests/wine/make-prefix.sh" "$WINEPREFIX"

for dpi in 96 144; do
  # Each process reads the DPI when it starts.
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  "$wine" "$build/tests/about_probe.exe" show >/dev/null 2>&1 &
  probe=$!
  window=""
  for _ in $(seq 100); do
    window=$(xwininfo -root -tree | awk -v title="\"$title\":" 'index($0, title) { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.2
  done
  if [ -z "$window" ]; then
    echo "the about window did not appear at $dpi DPI" >&2
    exit 1
  fi
  sleep 1  # let it paint
  # Without time stamps, so the same window gives the same file.
  import -window "$window" -define png:exclude-chunks=date,time "$tarvisk_root/docs/about-${dpi}dpi.png"
  "$wineserver" -k 2>/dev/null || true
  wait "$probe" || true
done
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
echo "Wrote docs/about-96dpi.png and docs/about-144dpi.png"
