#!/usr/bin/env bash
# Creates a Wine prefix for the tests once: Windows 10, fonts that draw text, Segoe UI mapped to
# Tahoma (Wine has no Segoe UI), 96 DPI, unmanaged windows. Concurrent callers wait for the first.
set -euo pipefail
prefix=$1
[ -f "$prefix/.tarvisk-ready" ] && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.tarvisk-ready" ] && exit 0

wine=$("$(dirname "$0")/find-wine.sh")
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1 || true
mkdir -p "$prefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
"$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /d Tahoma /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
# Xvfb has no window manager: unmanaged, Wine draws every window's frame itself and does not
# wait (2 seconds a time) for a manager to answer when a window is hidden or destroyed.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$(dirname "$wine")/wineserver" -w 2>/dev/null || wineserver -w
touch "$prefix/.tarvisk-ready"
