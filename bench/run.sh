#!/usr/bin/env bash
# Builds Tarvisk64.exe and its baselines and measures them under Wine, on a private Xvfb when no
# display is set: launch time against (a) a program that only calls ShellExecuteW and (b) one
# that makes exactly the launcher's system calls, the time until the about window shows against
# an empty window, peak working sets and the exe's size. Usage: bash bench/run.sh [repetitions]
set -euo pipefail
tarvisk_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$tarvisk_root/scripts/setup.sh"
build=${TARVISK_BUILD:-$tarvisk_root/build}

tarvisk_install
tarvisk_build "$build" >/dev/null

prefix=$build/wine/bench
cleanup() {
  set +e
  tarvisk_stop_wine "$prefix"
  tarvisk_stop_display
}
trap cleanup EXIT
tarvisk_start_display
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$tarvisk_root/tests/wine/make-prefix.sh" "$prefix"
"$("$tarvisk_root/tests/wine/find-wine.sh")" "$build/bin/bench_driver.exe" "${1:-21}"
