#!/usr/bin/env bash
# The x64 installer on a Windows of its own: a silent install puts the program under
# Program Files\Orvalle\Tessaline and its help (when the package has one) in the all-users data
# folder; the installed program starts, keeps its settings in that data folder (written at the
# first start and again when it closes), and finds its help there; a silent uninstall removes the
# program, its help, its menu entry and its uninstall entry, and leaves the settings.
# Takes the installer from $TESS_INSTALLER (scripts/package.sh sets it) or builds the packages.
# Runs in a Wine prefix and on an Xvfb display of its own; exits 0 on success. Every wait is
# bounded.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

if [ -z "${TESS_INSTALLER:-}" ]; then
  bash "$root/scripts/package.sh" --no-test >/dev/null
  TESS_INSTALLER=$(ls "$root"/dist/Tessaline-*-setup-x64.exe)
  TESS_PORTABLE_ZIP=$(ls "$root"/dist/Tessaline-*-portable.zip)
fi
[ -f "$TESS_INSTALLER" ] || { echo "installer: no installer at $TESS_INSTALLER"; exit 1; }
with_help=0
if [ -n "${TESS_PORTABLE_ZIP:-}" ]; then
  listing=$(unzip -l "$TESS_PORTABLE_ZIP")
  if grep -q 'x64/TessalineHelp\.ahp$' <<<"$listing"; then with_help=1; fi
fi

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
# Not the test prefix: installing there would leave the other tests a machine with Tessaline on it.
export WINEPREFIX="$root/build/wineprefix-installer"
# Wine would otherwise turn the Start-menu shortcut into a menu entry of the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

program_dir="$WINEPREFIX/drive_c/Program Files/Orvalle/Tessaline"
data_dir="$WINEPREFIX/drive_c/ProgramData/Orvalle/Tessaline"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tessaline.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaline'
program='C:\Program Files\Orvalle\Tessaline\Tessaline.exe'

program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
  tess_stop_wineserver
  tess_stop_xvfb
}
trap cleanup EXIT

e2e_name=installer
# shellcheck source=tests/e2e/helpers.bash
source "$root/tests/e2e/helpers.bash"

# Every run starts from a machine without Tessaline: a run that stopped half-way left one.
if [ -e "$WINEPREFIX/drive_c/Program Files/Orvalle" ] || [ -e "$WINEPREFIX/drive_c/ProgramData/Orvalle" ]; then
  rm -rf "$WINEPREFIX"
fi
tess_prefix_setup
unset DISPLAY
tess_start_xvfb || fail "Xvfb did not start"
tess_set_managed N

installer_windows="Z:$(echo "$TESS_INSTALLER" | tr '/' '\\')"
timeout 120 "$tess_wine" "$installer_windows" /S </dev/null >/dev/null 2>&1 || fail "the silent install failed"
[ -f "$program_dir/Tessaline.exe" ] || fail "no Tessaline.exe in Program Files\\Orvalle\\Tessaline"
[ -f "$program_dir/Uninstall.exe" ] || fail "no uninstaller beside the program"
[ -d "$data_dir" ] || fail "the install made no data folder in ProgramData\\Orvalle\\Tessaline"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
"$tess_wine" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "no uninstall entry in the registry"
if [ $with_help -eq 1 ]; then
  [ -f "$data_dir/TessalineHelp.ahp" ] || fail "the package has a help file but the install put none in the data folder"
  [ ! -e "$program_dir/TessalineHelp.ahp" ] || fail "the help file went beside the program, where an installed copy does not look"
fi

"$tess_wine" "$program" </dev/null >/dev/null 2>&1 &
program_pid=$!
window=
find_window() { window=$(xdotool search --onlyvisible --name '^Tessaline$' 2>/dev/null | head -n 1); [ -n "$window" ]; }
wait_for 300 find_window || fail "the installed program's window did not appear"
settings="$data_dir/Tessaline.ini"
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
  main_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
  wait_for 100 main_focused || fail "the main window did not get the keyboard"
  # The menu titles have no access keys: Alt, then Left past the system menu to Help, its first item.
  xdotool key --delay 100 alt Left Left Down Return
  help_shown() { xdotool search --onlyvisible --name '^(Application Help|Help File)$' >/dev/null 2>&1; }
  wait_for 150 help_shown || fail "Help > Content showed neither the help window nor a message"
  if xdotool search --onlyvisible --name '^Help File$' >/dev/null 2>&1; then
    fail "the installed program did not find its help file"
  fi
fi

# A close request, as the close box sends: the program writes its settings again on the way out.
"$tess_wine" taskkill /im Tessaline.exe </dev/null >/dev/null 2>&1 || true
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_for 300 program_ended || fail "the installed program did not close on a close request"
wait "$program_pid" 2>/dev/null || true
program_pid=
# The first start writes font size 0 (the default); the close writes the size in use, 10.
font_size=$(sed -n 2p "$settings" | tr -d '\r' | cut -d, -f5)
[ "$font_size" = 10 ] || fail "the settings were not written again at close (line 2: $(sed -n 2p "$settings"))"
cp "$settings" "$WINEPREFIX/settings-before-uninstall"

timeout 60 "$tess_wine" 'C:\Program Files\Orvalle\Tessaline\Uninstall.exe' /S </dev/null >/dev/null 2>&1 ||
  fail "the silent uninstall failed to start"
# The uninstaller runs on from a copy of itself so that it can remove its own file.
program_removed() { [ ! -e "$WINEPREFIX/drive_c/Program Files/Orvalle" ]; }
wait_for 600 program_removed || fail "the uninstall left $(ls -R "$WINEPREFIX/drive_c/Program Files/Orvalle" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu shortcut"
[ ! -e "$data_dir/TessalineHelp.ahp" ] || fail "the uninstall left the help file"
cmp -s "$settings" "$WINEPREFIX/settings-before-uninstall" || fail "the uninstall removed or changed the user's settings"
if "$tess_wine" reg query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstall left its registry entry"; fi
rm -rf "$WINEPREFIX/drive_c/ProgramData/Orvalle" "$WINEPREFIX/settings-before-uninstall"
echo "installer: passed"
