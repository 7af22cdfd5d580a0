#!/usr/bin/env bash
# Types into the running Tessaline.exe with real keys, as a person would, and checks the file it
# saves: the keyboard reaching the editor at start-up and after each box or menu, a shifted
# bracket completed, the Enter that answers the save question not reaching the editor as a line
# break, and the right click's caret and context menu. (What the keys do to the text is the
# behaviour tables' part, on the real window too.)
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

e2e_name=typing
# shellcheck source=tests/e2e/helpers.bash
source "$root/tests/e2e/helpers.bash"

tess_start_session || fail "no Wine session (prefix or Xvfb)"

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

# The settings file is written during start-up (first run), before the loop takes keys.
settings_written() { [ -f "$work/Tessaline.ini" ]; }
wait_for 300 settings_written || fail "the program did not finish starting"

# Keys typed while a closing box or menu still holds the keyboard are lost: after each one, wait
# for it to go and for the main window to have the keyboard again.
main_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
focus_owner() { xdotool getwindowfocus -f getwindowname 2>/dev/null || echo "no window"; }
# With no window manager, nothing reliably hands the keyboard back to the main window when a box
# or menu goes: Wine's own focus request can lose to the box's unmapping, and the window can hold
# the X focus while Wine no longer counts it as active, so keys are dropped. Do what a window
# manager and a user would: give the window the X focus, and click into the editor so that Wine
# makes it the active window again (the steps after each click place the caret themselves). Then
# check that the main window really has the keyboard.
keyboard_back() {
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool click 1
  wait_for 100 main_focused || fail "the main window did not get the keyboard back ($1; it is on: $(focus_owner))"
}
# Nothing typed before the window has the keyboard can reach it.
keyboard_back "at start-up"
find_box() { [ -n "$(xdotool search --onlyvisible --name '^Save File$' 2>/dev/null | head -n 1)" ]; }
box_gone() { ! find_box; }
# Ctrl+S asks "Save file now?" for a document that has a name; Enter answers Yes. The release of
# that Enter reaches the editor alone and must not act there.
save() {
  xdotool key --delay 1 ctrl+s
  wait_for 100 find_box || fail "the save question did not appear ($1)"
  xdotool key --delay 1 Return
  wait_for 100 box_gone || fail "the save question did not close ($1)"
  keyboard_back "$1"
}
visible_count() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }
windows_before=$(visible_count)
menu_open() { [ "$(visible_count)" -gt "$windows_before" ]; }
menu_closed() { [ "$(visible_count)" -eq "$windows_before" ]; }
# Right click where the pointer is, then the item that many Up presses from the bottom picks.
pick_from_context_menu() {
  xdotool click 3
  wait_for 100 menu_open || fail "the context menu did not open"
  for _ in $(seq 1 "$1"); do xdotool key Up; done
  xdotool key Return
  wait_for 100 menu_closed || fail "the context menu did not close"
  keyboard_back "after the menu"
}
expected="$work/expected.html"
saved() { cmp -s "$doc" "$expected"; }
expect_saved() {  # the bytes the file must hold, what went wrong otherwise
  printf '%b' "$1" >"$expected"
  if ! wait_for 150 saved; then
    echo "expected:"; od -c "$expected" | head -20
    echo "saved:"; od -c "$doc" | head -20
    fail "$2"
  fi
}

# The shifted "(" of real keys gets its ")", which End steps over.
xdotool type --delay 1 'f(1'
xdotool key --delay 1 End
save first
expect_saved 'f(1)' "the saved file differs from what was typed"

# The lone Enter release left nothing behind: the next key goes on the same line.
xdotool key --delay 1 ctrl+End
xdotool type --delay 1 ';'
save second
expect_saved 'f(1);' "the second save differs"

# A right click below the text puts the caret at the end of the last line (not past it) and
# opens the context menu there, owned by the main window: "Copy line" (third from the bottom)
# then "Paste line" (second from the bottom) double the last line. The second click, soon after
# the first, may arrive as a double click. The Return that picks an item is the menu's; its
# release reaches the editor alone.
pick_from_context_menu 3
pick_from_context_menu 2
save third
expect_saved 'f(1);f(1);' "the line copied and pasted through the context menu is not in the saved file"
echo "typing: passed"
