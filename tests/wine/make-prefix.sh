#!/usr/bin/env bash
# Creates a Wine prefix for the tests once: Windows 10, fonts that draw text, Segoe UI mapped to
# Tahoma (Wine has no Segoe UI), 96 DPI, unmanaged windows. Then keeps one persistent wineserver
# running for it, so each test program starts in a fraction of a second; its process id is kept
# in the prefix for scripts/test.sh to stop it. Concurrent callers wait for the first one.
set -euo pipefail
prefix=$1
server_pid_file=$prefix/.wineserver.pid
# Running, and not a zombie that nobody has reaped yet.
server_running() {
  local pid state
  pid=$(cat "$server_pid_file" 2>/dev/null) && read -r _ _ state _ <"/proc/$pid/stat" 2>/dev/null && [ "$state" != Z ]
}
[ -f "$prefix/.tarvisk-ready" ] && server_running && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

# Wine's own output goes to a log beside the prefix, shown when a step fails: a test whose prefix
# could not be made would otherwise fail with no word of why.
log=$prefix.log
trap 'echo "make-prefix.sh: \"$BASH_COMMAND\" failed for $prefix; Wine said:" >&2; tail -n 40 "$log" >&2' ERR

wine=$("$(dirname "$0")/find-wine.sh")
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/.tarvisk-ready" ]; then
  "$wine" wineboot -i >>"$log" 2>&1
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
  "$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >>"$log" 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /d Tahoma /f >>"$log" 2>&1
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >>"$log" 2>&1
  # Xvfb has no window manager: unmanaged, Wine draws every window's frame itself and does not
  # wait (2 seconds a time) for a manager to answer when a window is hidden or destroyed.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1
  timeout 60 "$wineserver" -w || "$wineserver" -k
  touch "$prefix/.tarvisk-ready"
fi

if ! server_running; then
  timeout 60 "$wineserver" -w || "$wineserver" -k
  rm -f "$prefix/wineserver"
  setsid "$wineserver" -f -p </dev/null >>"$log" 2>&1 9>&- &
  echo $! >"$server_pid_file"
  # Wine names the server's folder after the prefix's device and inode numbers, inside
  # /tmp/.wine-<uid>; Debian's Wine puts it in a fresh folder that the prefix's file "wineserver" names.
  read -r device inode < <(stat -c '%d %i' "$prefix")
  server_socket() {
    local parent=/tmp/.wine-$(id -u)
    [ -f "$prefix/wineserver" ] && parent=${TMPDIR:-/tmp}/$(cat "$prefix/wineserver")
    printf '%s/server-%x-%x/socket' "$parent" "$device" "$inode"
  }
  for _ in $(seq 400); do
    [ -S "$(server_socket)" ] && break
    sleep 0.05
  done
  [ -S "$(server_socket)" ]
  # Start the services and the desktop now, with no output attached: started later by a test
  # program, they would inherit its output and keep ctest waiting for as long as the server runs.
  "$wine" rundll32.exe user32.dll,MessageBeep </dev/null >>"$log" 2>&1 9>&-
fi
