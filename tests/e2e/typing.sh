#!/usr/bin/env bash
# Types into the running Tessaline.exe with real keys, as a person would, and checks the file it
# saves: bracket completion, Enter keeping the indentation, block Tab over the whole text, and
# the Enter that answers the save question not reaching the editor as a line break.
# Runs on a private Xvfb display; exits 0 on success. Every wait is bounded.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe="$root/build/win64/Tessaline.exe"
[ -f "$exe" ] || { echo "typing: $exe is missing (scripts/build.sh win64)"; exit 1; }

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

work=$(mktemp -d)
program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
  tess_stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

# On failure, a screenshot of the display shows what the program was doing.
fail() {
  echo "typing: $*"
  mkdir -p "$root/build/test-logs"
  import -window root "$root/build/test-logs/typing-failure.png" 2>/dev/null &&
    echo "typing: screenshot in build/test-logs/typing-failure.png"
  exit 1
}

# Waits up to $1 tenths of a second for the command in the remaining arguments to succeed.
wait_for() {
  local tenths=$1; shift
  for _ in $(seq 1 "$tenths"); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

tess_prefix_setup
unset DISPLAY
tess_start_xvfb || fail "Xvfb did not start"
tess_set_managed N

# The program keeps its settings beside itself: a copy in the work folder leaves build/ clean.
cp "$exe" "$work/Tessaline.exe"
doc="$work/page.html"
: >"$doc"
windows_doc="Z:$(echo "$doc" | tr '/' '\\')"
"$tess_wine" "$work/Tessaline.exe" "$windows_doc" </dev/null >"$work/wine.log" 2>&1 &
program_pid=$!

window=
find_window() { window=$(xdotool search --onlyvisible --name '^Tessaline$' 2>/dev/null | head -n 1); [ -n "$window" ]; }
wait_for 300 find_window || fail "the Tessaline window did not appear"

# Wine gives the keyboard to the window under the pointer: keep the pointer over the editor.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool windowfocus "$window"

# The start-up is over once the status bar shows the document; the title never changes, so the
# first keys could otherwise arrive before the editor has its handler.
settings_written() { [ -f "$work/Tessaline.ini" ]; }
wait_for 300 settings_written || fail "the program did not finish starting"

# "  <div" gets its ">" (End steps over it); Enter keeps the two spaces; "f(1" gets its ")";
# a typed "}" stays alone.
xdotool type --delay 1 '  <div'
xdotool key --delay 1 End Return
xdotool type --delay 1 'f(1'
xdotool key --delay 1 End Return
xdotool type --delay 1 '}'
# Select everything and indent it as a block; then save: Ctrl+S asks "Save file now?" and Enter
# answers Yes. That Enter's release reaches the editor alone and must not add a line.
xdotool key --delay 1 ctrl+a Tab ctrl+s

save_box=
find_box() { save_box=$(xdotool search --onlyvisible --name '^Save File$' 2>/dev/null | head -n 1); [ -n "$save_box" ]; }
wait_for 100 find_box || fail "the save question did not appear"
xdotool key --delay 1 Return

expected="$work/expected.html"
printf '     <div>\r\n     f(1)\r\n     }' >"$expected"
saved() { cmp -s "$doc" "$expected"; }
if ! wait_for 150 saved; then
  echo "expected:"; od -c "$expected" | head -20
  echo "saved:"; od -c "$doc" | head -20
  fail "the saved file differs from what was typed"
fi

# Type on after the save: the lone Enter release left nothing behind, and the caret is where the
# block ended, so one more line goes at the end.
xdotool key --delay 1 ctrl+End Return
xdotool type --delay 1 '['
xdotool key --delay 1 ctrl+s
wait_for 100 find_box || fail "the second save question did not appear"
xdotool key --delay 1 Return
printf '     <div>\r\n     f(1)\r\n     }\r\n     []' >"$expected"
if ! wait_for 150 saved; then
  echo "expected:"; od -c "$expected" | head -20
  echo "saved:"; od -c "$doc" | head -20
  fail "the second save differs"
fi
echo "typing: passed"
