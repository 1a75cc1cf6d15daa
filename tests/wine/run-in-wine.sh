#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest. The prefix comes from WINEPREFIX (ctest sets
# it per test); it is created on first use, inside the build tree, never in ~/.wine.
# DISPLAY must already be set: scripts/test.sh starts a private Xvfb before any test runs.
set -euo pipefail

: "${WINEPREFIX:?WINEPREFIX is not set: run the tests with scripts/test.sh}"
: "${DISPLAY:?DISPLAY is not set: run the tests with scripts/test.sh, which starts Xvfb}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# A second try when a new prefix cannot be made: making one has failed once on a loaded CI machine,
# with no word of why. The first try's log goes to standard error, shown if the test fails.
"$here/make-prefix.sh" "$WINEPREFIX" || "$here/make-prefix.sh" "$WINEPREFIX"
exec "$("$here/find-wine.sh")" "$@"
