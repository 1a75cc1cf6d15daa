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

tarvisk_open_prefix "$build/wine/bench"
"$tarvisk_wine" "$build/bin/bench_driver.exe" "${1:-21}"
