#!/usr/bin/env bash
# Installs what is missing, builds Tessaline.exe and opens it under Wine, passing on an optional
# document path. With no DISPLAY it starts its own Xvfb, waits for the window, saves a screenshot,
# closes the program and prints the screenshot's path.
# Usage: scripts/run.sh [document]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
# The build's output goes to a log so a normal run stays quiet; when the build fails its tail is
# shown, since a run that just stops would not say why.
mkdir -p "$root/build"
build_log="$root/build/run-build.log"
if ! bash scripts/build.sh win64 >"$build_log" 2>&1; then
  tail -n 60 "$build_log" >&2
  echo "run: the build failed (full output: $build_log)" >&2
  exit 1
fi
exe="$root/build/win64/Tessaline.exe"

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
tess_prefix_setup || exit 1

args=()
if [ $# -gt 0 ]; then
  # A Linux path becomes a Windows one on Wine's Z: drive.
  doc=$1
  case "$doc" in /*) doc="Z:$(echo "$doc" | tr '/' '\\')" ;; [A-Za-z]:*) ;; *) doc="Z:$(echo "$PWD/$doc" | tr '/' '\\')" ;; esac
  args+=("$doc")
fi

if [ -n "${DISPLAY:-}" ]; then
  # A real desktop: let its window manager frame and focus the window.
  tess_set_managed Y
  exec "$tess_wine" "$exe" "${args[@]}"
fi

program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  tess_stop_wineserver
  tess_stop_xvfb
}
trap cleanup EXIT

tess_start_xvfb
tess_set_managed N
"$tess_wine" "$exe" "${args[@]}" </dev/null >/dev/null 2>&1 &
program_pid=$!

window=
for _ in $(seq 1 150); do
  window=$(xdotool search --name '^Tessaline$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then echo "run: the Tessaline window did not appear" >&2; exit 1; fi
sleep 1  # let the first paint finish
shot="$root/build/screenshot.png"
import -window root -crop "$(xdotool getwindowgeometry "$window" | awk '/Geometry/{print $2}')+$(xdotool getwindowgeometry "$window" | awk -F'[ ,]+' '/Position/{print $3"+"$4}')" "$shot" 2>/dev/null \
  || import -window root "$shot"
echo "$shot"
