#!/usr/bin/env bash
# Runs the built Win32 tests under Wine on a private display, with an optional GoogleTest filter:
#   scripts/wine-test.sh [--x86] ['Suite.*:Other.*'] [lines of output to keep]
# --x86 runs the 32-bit build's (scripts/build.sh win32-tests) on 32-bit Wine.
# For the edit-build-test loop; scripts/test.sh stays the full run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tree=win64
if [ "${1:-}" = --x86 ]; then tree=win32; shift; fi
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
cleanup() { tess_stop_wineserver; tess_stop_xvfb; }
trap cleanup EXIT
tess_start_session server || exit 1
wine=$tess_wine
[ $tree = win32 ] && wine=$tess_wine32
cd "build/$tree/tests"
timeout 600 "$wine" ./win32_tests.exe --gtest_filter="${1:-*}" 2>&1 | tail -n "${2:-60}"
