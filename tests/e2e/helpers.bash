# Sourced by the end-to-end scripts (not a test itself: the test command runs tests/e2e/*.sh).
# e2e_name names the script in its messages and in its failure screenshot.

# Says what went wrong and, when a display is up, saves a screenshot of what the program was doing.
fail() {
  echo "$e2e_name: $*"
  mkdir -p "$root/build/test-logs"
  if [ -n "${DISPLAY:-}" ] && import -window root "$root/build/test-logs/$e2e_name-failure.png" 2>/dev/null; then
    echo "$e2e_name: screenshot in build/test-logs/$e2e_name-failure.png"
  fi
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
