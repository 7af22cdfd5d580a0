#!/usr/bin/env bash
# Runs the built Win32 tests under Wine on a private display, with an optional GoogleTest filter:
#   scripts/wine-test.sh ['Suite.*:Other.*'] [lines of output to keep]
# For the edit-build-test loop; scripts/test.sh stays the full run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
cleanup() { tess_stop_wineserver; tess_stop_xvfb; }
trap cleanup EXIT
tess_prefix_setup
unset DISPLAY
tess_start_xvfb || exit 1
tess_set_managed N
tess_start_wineserver
cd build/win64/tests
timeout 600 "$tess_wine" ./win32_tests.exe --gtest_filter="${1:-*}" 2>&1 | tail -n "${2:-60}"
