#!/usr/bin/env bash
# The program on screens of 144 and 192 dots per inch: the Win32 tests that check the main
# window's layout and toolbar pictures and every table dialog's labels at the screen's DPI, run
# there, and a screenshot of the window with its Options dialog open at each, kept in
# build/test-logs/dpi-<dpi>.png. Each DPI has a Wine prefix of its own, copied once from the test
# prefix with only LogPixels changed (a prefix's DPI is read when its server starts).
# Runs on a private Xvfb display; exits 0 on success. Every wait is bounded.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe="$root/build/win64/Tessaline.exe"
tests="$root/build/win64/tests/win32_tests.exe"
[ -f "$exe" ] && [ -f "$tests" ] || { echo "dpi: build/win64 is not built (scripts/build.sh win64)"; exit 1; }

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
e2e_name=dpi
# shellcheck source=tests/e2e/helpers.bash
source "$root/tests/e2e/helpers.bash"

work=$(mktemp -d)
program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
  tess_stop_wineserver
  tess_stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

tess_prefix_setup || fail "no test prefix"
base=$WINEPREFIX
mkdir -p "$root/build/test-logs"
for dpi in 144 192; do
  export WINEPREFIX="$base-dpi$dpi"
  # Only the registry is the prefix's own (it holds the DPI); Windows itself is the test prefix's.
  # Made again when the test prefix was.
  if [ ! "$WINEPREFIX/.tessaline-dpi" -nt "$base/.tessaline-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX/dosdevices"
    cp -a "$base"/*.reg "$base/.update-timestamp" "$base/.tessaline-ready" "$WINEPREFIX/"
    ln -s "$base/drive_c" "$WINEPREFIX/drive_c"
    ln -s ../drive_c "$WINEPREFIX/dosdevices/c:"
    ln -s / "$WINEPREFIX/dosdevices/z:"
    "$tess_wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
      fail "LogPixels could not be set to $dpi"
    "$WINESERVER" -w
    echo "$dpi" >"$WINEPREFIX/.tessaline-dpi"
  fi
  tess_start_session server || fail "no Wine session at $dpi dpi"

  (cd "$(dirname "$tests")" && timeout 120 "$tess_wine" ./win32_tests.exe \
    --gtest_filter='MainWindow.ItsToolbarLayoutAndDrawingAtAnyDpi:TableDialogs.KeepTheLayoutAndKeyboardRulesAndTheAboutBoxItsLinks') \
    >"$work/tests-$dpi.log" 2>&1 || { cat "$work/tests-$dpi.log"; fail "the window's tests failed at $dpi dpi"; }
  grep -q '\[  PASSED  \] 2 tests' "$work/tests-$dpi.log" || { cat "$work/tests-$dpi.log"; fail "not both tests ran at $dpi dpi"; }

  # The program keeps its settings beside itself: a copy in the work folder leaves build/ clean.
  cp "$exe" "$work/Tessaline.exe"
  "$tess_wine" "$work/Tessaline.exe" </dev/null >"$work/wine-$dpi.log" 2>&1 &
  program_pid=$!
  window=
  find_window() { window=$(xdotool search --onlyvisible --name '^Tessaline$' 2>/dev/null | head -n 1); [ -n "$window" ]; }
  wait_for 300 find_window || fail "the Tessaline window did not appear at $dpi dpi"
  settings_written() { [ -f "$work/Tessaline.ini" ]; }
  wait_for 300 settings_written || fail "the program did not finish starting at $dpi dpi"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool click 1
  # Edit > Preferences, the menu's last item.
  xdotool key --delay 50 F10 Right Down Up Return
  find_options() { [ -n "$(xdotool search --onlyvisible --name '^Tessaline Options$' 2>/dev/null | head -n 1)" ]; }
  wait_for 100 find_options || fail "the Options dialog did not open at $dpi dpi"
  import -window root "$root/build/test-logs/dpi-$dpi.png" || fail "no screenshot at $dpi dpi"
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=
  rm -f "$work/Tessaline.ini"
  tess_stop_wineserver
  tess_stop_xvfb
  echo "dpi: $dpi dpi passed (screenshot: build/test-logs/dpi-$dpi.png)"
done
