# Sourced by the scripts that run Windows programs. Gives them a Wine prefix of the build's own
# (never ~/.wine), set up once, and helpers to start and stop an Xvfb display and the prefix's
# wineserver. Only processes started here are ever killed.
tess_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$tess_root/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
tess_wine=/usr/lib/wine/wine64
# The 32-bit loader (package wine32): it runs the i686 builds in the same 64-bit prefix, as 64-bit
# Windows runs 32-bit programs. wine64 hands a 32-bit program to it as well, but through a
# start.exe of its own in between.
tess_wine32=/usr/lib/wine/wine
tess_xvfb_pid=
tess_own_display=

tess_prefix_setup() {
  # A prefix made before the 32-bit Wine was installed has no working 32-bit Windows in it and
  # cannot run the i686 builds: the ready mark says which kind this one is, and it is made again.
  local kind=win64
  [ -x "$tess_wine32" ] && kind=wow64
  if [ -f "$WINEPREFIX/.tessaline-ready" ] &&
    { [ $kind = win64 ] || grep -qx wow64 "$WINEPREFIX/.tessaline-ready"; }; then
    return 0
  fi
  echo "wine: creating the test prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # A prefix whose boot or settings failed is left unmarked, so the next run makes it again instead
  # of running every test in a half-made Windows.
  if ! timeout 300 "$tess_wine" wineboot -i </dev/null >/dev/null 2>&1; then
    echo "wine: wineboot failed in $WINEPREFIX" >&2
    return 1
  fi
  timeout 120 "$WINESERVER" -w
  # Without a window manager, every hide or destroy otherwise waits 2 s.
  # Wine ignores fontconfig aliases: make "courier new" a real fixed-pitch font.
  # A crash must end the process, not open a dialog that waits for ever.
  if ! "$tess_wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 ||
    ! "$tess_wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ /d 'Liberation Mono' /f >/dev/null 2>&1 ||
    ! "$tess_wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1; then
    echo "wine: the test prefix's settings could not be written" >&2
    return 1
  fi
  timeout 120 "$WINESERVER" -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -f /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  echo $kind >"$WINEPREFIX/.tessaline-ready"
}

# Window management on (a real desktop) or off (our own Xvfb).
tess_set_managed() {
  "$tess_wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1
}

tess_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$fifo" >/dev/null 2>&1 &
  tess_xvfb_pid=$!
  local number
  read -r -t 30 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then echo "wine: Xvfb did not start" >&2; return 1; fi
  export DISPLAY=":$number"
  tess_own_display=1
}

tess_stop_xvfb() {
  if [ -n "$tess_xvfb_pid" ]; then kill "$tess_xvfb_pid" 2>/dev/null || true; wait "$tess_xvfb_pid" 2>/dev/null || true; fi
  tess_xvfb_pid=
}

# A persistent server saves seconds per test process, and starting it detached from our output
# keeps ctest from waiting for Wine's background services to close the pipe.
tess_start_wineserver() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  timeout 120 "$tess_wine" wineboot </dev/null >/dev/null 2>&1 || true
}

tess_stop_wineserver() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
}

# What every script that shows a window starts with: the prefix, a display of its own with window
# management off, and (with "server") a persistent wineserver with its services already running.
tess_start_session() {
  tess_prefix_setup || return 1
  unset DISPLAY
  tess_start_xvfb || return 1
  tess_set_managed N
  if [ "${1:-}" = server ]; then tess_start_wineserver; fi
  return 0
}
