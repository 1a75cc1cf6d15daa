#!/usr/bin/env bash
# Sets up, builds and runs Tarvisk64.exe under Wine with the arguments given, for example
#   bash scripts/run.sh notepad.exe 'C:\windows\win.ini'     (launches a program)
#   bash scripts/run.sh                                       (shows the about window)
# On a machine without a display it starts a private Xvfb. It saves a screenshot of what
# appeared in build/run-screenshot.png, closes the about window or message box, and prints the
# exit code and what it means.
set -euo pipefail
tarvisk_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$tarvisk_root/scripts/setup.sh"
build=${TARVISK_BUILD:-$tarvisk_root/build}
screenshot=$build/run-screenshot.png

tarvisk_install
tarvisk_build "$build" >/dev/null

tarvisk_open_prefix "$build/wine/run"

take_screenshot() {
  import -display "$DISPLAY" -window root -trim +repage "$screenshot" && echo "Screenshot: $screenshot"
}

coproc runner { "$tarvisk_wine" "$build/bin/run_and_capture.exe" "$@" 2>/dev/null; }
runner_pid=$runner_PID
exit_code=""
while IFS= read -r line <&"${runner[0]}"; do
  line=${line%$'\r'}
  case "$line" in
    shown) take_screenshot; echo >&"${runner[1]}" ;;
    exit\ *) exit_code=${line#exit } ;;
    *) echo "$line" ;;
  esac
done
wait "$runner_pid" 2>/dev/null || true

case "$exit_code" in
  0) meaning="the program was launched"; sleep 2; take_screenshot ;;
  1) meaning="no program was named: the about window was shown and closed" ;;
  2) meaning="the program was not found" ;;
  3) meaning="the elevation was refused or cancelled" ;;
  4) meaning="the launch failed" ;;
  *) meaning="Tarvisk64.exe did not finish" ;;
esac
echo "Tarvisk64.exe exit code: ${exit_code:-none} ($meaning)"
