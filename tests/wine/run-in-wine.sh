#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest. The prefix comes from WINEPREFIX (ctest sets
# it per test); it is created on first use, inside the build tree, never in ~/.wine.
# DISPLAY must already be set: scripts/test.sh starts a private Xvfb before any test runs.
set -euo pipefail

: "${WINEPREFIX:?WINEPREFIX is not set: run the tests with scripts/test.sh}"
: "${DISPLAY:?DISPLAY is not set: run the tests with scripts/test.sh, which starts Xvfb}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/make-prefix.sh" "$WINEPREFIX"
exec "$("$here/find-wine.sh")" "$@"
