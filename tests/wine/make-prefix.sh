#!/usr/bin/env bash
# Creates a Wine prefix for the tests once: Windows 10, fonts that draw text, Segoe UI mapped to
# Tahoma (Wine has no Segoe UI), 96 DPI, unmanaged windows. Then keeps one persistent wineserver
# running for it, so each test program starts in a fraction of a second; its process id is kept
# in the prefix for scripts/test.sh to stop it. Concurrent callers wait for the first one.
set -euo pipefail
prefix=$1
server_pid_file=$prefix/.wineserver.pid
server_running() { [ -f "$server_pid_file" ] && kill -0 "$(cat "$server_pid_file")" 2>/dev/null; }
[ -f "$prefix/.tarvisk-ready" ] && server_running && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

wine=$("$(dirname "$0")/find-wine.sh")
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/.tarvisk-ready" ]; then
  "$wine" wineboot -i >/dev/null 2>&1 || true
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  "$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /d Tahoma /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  # Xvfb has no window manager: unmanaged, Wine draws every window's frame itself and does not
  # wait (2 seconds a time) for a manager to answer when a window is hidden or destroyed.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 60 "$wineserver" -w || "$wineserver" -k
  touch "$prefix/.tarvisk-ready"
fi

if ! server_running; then
  timeout 60 "$wineserver" -w || "$wineserver" -k
  setsid "$wineserver" -f -p </dev/null >/dev/null 2>&1 9>&- &
  echo $! >"$server_pid_file"
  # Wine names the server's folder after the prefix's device and inode numbers.
  read -r device inode < <(stat -c '%d %i' "$prefix")
  socket=/tmp/.wine-$(id -u)/server-$(printf '%x-%x' "$device" "$inode")/socket
  for _ in $(seq 100); do
    [ -S "$socket" ] && break
    sleep 0.05
  done
  # Start the services and the desktop now, with no output attached: started later by a test
  # program, they would inherit its output and keep ctest waiting for as long as the server runs.
  "$wine" rundll32.exe user32.dll,MessageBeep </dev/null >/dev/null 2>&1 9>&- || true
fi
