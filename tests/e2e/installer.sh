#!/usr/bin/env bash
# The installers on a Windows of their own, the x64 one and then the x86 one (a 32-bit program on
# 64-bit Windows), each from a machine without Tessaline: a silent install puts the program under
# Program Files\Orvalle\Tessaline (for x86 the Program Files (x86) folder the 32-bit program is
# told of) and its help (when the package has one) in the all-users data folder; the installed
# program starts, keeps its settings in that data folder (written at the first start and again
# when it closes), and finds its help there; a silent uninstall removes the program, its help, its
# menu entry and its uninstall entry, and leaves the settings.
# Usage: tests/e2e/installer.sh [x64|x86]...   (default: both)
# Takes the packages from $TESS_DIST (scripts/package.sh sets it) or builds them into dist/.
# Runs in a Wine prefix and on an Xvfb display of its own; exits 0 on success. Every wait is
# bounded.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -eq 0 ] && set -- x64 x86

if [ -z "${TESS_DIST:-}" ]; then
  bash "$root/scripts/package.sh" --no-test >/dev/null
  TESS_DIST="$root/dist"
fi
portable_zip=$(ls "$TESS_DIST"/Tessaline-*-portable.zip 2>/dev/null | head -n 1 || true)
listing=
if [ -n "$portable_zip" ]; then listing=$(unzip -l "$portable_zip"); fi

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
# Not the test prefix: installing there would leave the other tests a machine with Tessaline on it.
export WINEPREFIX="$root/build/wineprefix-installer"
# Wine would otherwise turn the Start-menu shortcut into a menu entry of the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

data_dir="$WINEPREFIX/drive_c/ProgramData/Orvalle/Tessaline"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tessaline.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaline'

program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
  tess_stop_wineserver
  tess_stop_xvfb
}
trap cleanup EXIT

e2e_name=installer
mkdir -p "$root/build/test-logs"
# shellcheck source=tests/e2e/helpers.bash
source "$root/tests/e2e/helpers.bash"

# Every run starts from a machine without Tessaline: a run that stopped half-way left one.
for folder in "Program Files" "Program Files (x86)" ProgramData; do
  if [ -e "$WINEPREFIX/drive_c/$folder/Orvalle" ]; then rm -rf "$WINEPREFIX"; fi
done
tess_start_session || fail "no Wine session (prefix or Xvfb)"

# One installer through install, first start, help, close and uninstall.
test_installer() {
  local arch=$1 installer program_folder wine view with_help=0
  installer=$(ls "$TESS_DIST"/Tessaline-*-setup-"$arch".exe 2>/dev/null | head -n 1 || true)
  case "$arch" in
    # Each installer (and the program and uninstaller it puts down) has the architecture of its
    # program: the 32-bit ones run on the 32-bit loader and write to the 32-bit registry view.
    x64) program_folder="Program Files" wine=$tess_wine view=/reg:64 ;;
    x86) program_folder="Program Files (x86)" wine=$tess_wine32 view=/reg:32 ;;
    *) fail "no installer architecture '$arch' (x64, x86)" ;;
  esac
  e2e_name=installer-$arch
  [ -n "$installer" ] || fail "no $arch installer in $TESS_DIST"
  if grep -q "$arch/TessalineHelp\.ahp\$" <<<"$listing"; then with_help=1; fi
  local program_dir="$WINEPREFIX/drive_c/$program_folder/Orvalle/Tessaline"
  local program="C:\\$program_folder\\Orvalle\\Tessaline\\Tessaline.exe"

  timeout 120 "$wine" "Z:$(echo "$installer" | tr '/' '\\')" /S </dev/null >/dev/null 2>&1 ||
    fail "the silent install failed"
  [ -f "$program_dir/Tessaline.exe" ] || fail "no Tessaline.exe in $program_folder\\Orvalle\\Tessaline"
  [ -f "$program_dir/Uninstall.exe" ] || fail "no uninstaller beside the program"
  [ -d "$data_dir" ] || fail "the install made no data folder in ProgramData\\Orvalle\\Tessaline"
  [ -f "$shortcut" ] || fail "no Start-menu shortcut"
  # Once in three fresh prefixes the entry of the 32-bit installer was not there yet when its
  # loader had returned (cause not found yet): wait for it, as for any other visible result.
  uninstall_entry() { "$tess_wine" reg query "$uninstall_key" /v UninstallString "$view" >/dev/null 2>&1; }
  wait_for 300 uninstall_entry || fail "no uninstall entry in the registry"
  if [ $with_help -eq 1 ]; then
    [ -f "$data_dir/TessalineHelp.ahp" ] || fail "the package has a help file but the install put none in the data folder"
    [ ! -e "$program_dir/TessalineHelp.ahp" ] || fail "the help file went beside the program, where an installed copy does not look"
  fi

  "$wine" "$program" </dev/null >"$root/build/test-logs/installer-$arch-program.log" 2>&1 &
  program_pid=$!
  window=
  window_or_end() { find_window || program_ended; }
  wait_for 300 window_or_end || true
  if ! find_window; then
    program_ended && fail "the installed program ended before its window appeared (its output: build/test-logs/installer-$arch-program.log)"
    fail "the installed program's window did not appear"
  fi
  local settings="$data_dir/Tessaline.ini"
  settings_written() { [ -f "$settings" ]; }
  wait_for 300 settings_written || fail "the installed program wrote no settings in ProgramData\\Orvalle\\Tessaline"
  [ ! -e "$program_dir/Tessaline.ini" ] || fail "the installed program wrote its settings beside itself"

  if [ $with_help -eq 1 ]; then
    # Help > Content opens the help window when the help file is where the program looks, and a
    # "Help File" box saying there is none otherwise.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool windowfocus "$window" 2>/dev/null || true
    xdotool click 1
    wait_for 100 main_focused || fail "the main window did not get the keyboard"
    # The menu titles have no access keys: Alt, then Left past the system menu to Help, its first item.
    xdotool key --delay 100 alt Left Left Down Return
    wait_for 150 help_shown || fail "Help > Content showed neither the help window nor a message"
    if xdotool search --onlyvisible --name '^Help File$' >/dev/null 2>&1; then
      fail "the installed program did not find its help file"
    fi
  fi

  # A close request, as the close box sends: the program writes its settings again on the way out.
  "$tess_wine" taskkill /im Tessaline.exe </dev/null >/dev/null 2>&1 || true
  wait_for 300 program_ended || fail "the installed program did not close on a close request"
  wait "$program_pid" 2>/dev/null || true
  program_pid=
  # The first start writes font size 0 (the default); the close writes the size in use, 10.
  local font_size
  font_size=$(sed -n 2p "$settings" | tr -d '\r' | cut -d, -f5)
  [ "$font_size" = 10 ] || fail "the settings were not written again at close (line 2: $(sed -n 2p "$settings"))"
  cp "$settings" "$WINEPREFIX/settings-before-uninstall"

  timeout 60 "$wine" "C:\\$program_folder\\Orvalle\\Tessaline\\Uninstall.exe" /S </dev/null >/dev/null 2>&1 ||
    fail "the silent uninstall failed to start"
  # The uninstaller runs on from a copy of itself so that it can remove its own file, so its
  # loader returns at once. Its last step removes the registry entry: only after that has everything
  # else it removes to be gone (the shortcut goes after the program's folder).
  entry_removed() { ! "$tess_wine" reg query "$uninstall_key" "$view" >/dev/null 2>&1; }
  wait_for 600 entry_removed || fail "the uninstall left its registry entry"
  [ ! -e "$WINEPREFIX/drive_c/$program_folder/Orvalle" ] ||
    fail "the uninstall left $(ls -R "$WINEPREFIX/drive_c/$program_folder/Orvalle" | tr '\n' ' ')"
  [ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu shortcut"
  [ ! -e "$data_dir/TessalineHelp.ahp" ] || fail "the uninstall left the help file"
  cmp -s "$settings" "$WINEPREFIX/settings-before-uninstall" || fail "the uninstall removed or changed the user's settings"
  rm -rf "$WINEPREFIX/drive_c/ProgramData/Orvalle" "$WINEPREFIX/settings-before-uninstall"
  echo "installer $arch: passed"
}

find_window() { window=$(xdotool search --onlyvisible --name '^Tessaline$' 2>/dev/null | head -n 1); [ -n "$window" ]; }
main_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
help_shown() { xdotool search --onlyvisible --name '^(Application Help|Help File)$' >/dev/null 2>&1; }
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }

for arch in "$@"; do test_installer "$arch"; done
