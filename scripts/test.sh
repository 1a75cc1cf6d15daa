#!/usr/bin/env bash
# Sets up, builds and runs every test: the Windows test programs run under Wine, on a private
# Xvfb display when none is set, in Wine prefixes inside the build tree.
set -euo pipefail
tarvisk_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$tarvisk_root/scripts/setup.sh"
build=${TARVISK_BUILD:-$tarvisk_root/build}

tarvisk_install
tarvisk_build "$build"

cleanup() {
  set +e
  tarvisk_stop_wine "$build"/wine/*/
  tarvisk_stop_display
}
trap cleanup EXIT
tarvisk_start_display
ctest --test-dir "$build" --output-on-failure -j2 "$@"
