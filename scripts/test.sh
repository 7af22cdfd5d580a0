#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the native unit tests (with
# sanitizers), the Win32 tests (some of them on the 32-bit build too) and the end-to-end tests
# under Wine on a private Xvfb display.
# Ends with one summary line and exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Nothing here may wait for a person: no standard input, no crash dialogs (the prefix turns them
# off), a time limit on every test (set in tests/CMakeLists.txt) and on every ctest run.
exec </dev/null
suite_limit=1800

bash scripts/setup.sh || { echo "test: set-up failed"; exit 1; }
bash scripts/check-layers.sh || { echo "test: layer check failed"; echo "tests: 0 passed, 1 failed"; exit 1; }
bash scripts/build.sh all || { echo "test: build failed"; echo "tests: 0 passed, 1 failed"; exit 1; }

passed=0
failed=0
log_dir="$root/build/test-logs"
mkdir -p "$log_dir"

# The ctest summary line and the names of the tests that failed, crashed or timed out.
summarize() {
  grep -E '[0-9]+% tests passed|\*\*\*(Failed|Timeout|Exception)|Not Run' "$1" | tail -n 20
}

# Adds the counts of one ctest run (its output in $1) to the totals.
count_ctest() {
  local line total bad
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
  total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

echo "== native unit tests"
timeout "$suite_limit" ctest --test-dir build/native -j 2 --timeout 120 --output-on-failure >"$log_dir/native.log" 2>&1
native_rc=$?
cp -f build/native/Testing/Temporary/LastTest.log "$log_dir/native-detail.log" 2>/dev/null || true
summarize "$log_dir/native.log"
count_ctest "$log_dir/native.log"

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
cleanup() { tess_stop_wineserver; tess_stop_xvfb; }
trap cleanup EXIT

tess_start_session server || { echo "tests: $passed passed, $((failed + 1)) failed"; exit 1; }

echo "== Win32 tests under Wine (display $DISPLAY)"
timeout "$suite_limit" ctest --test-dir build/win64 -L wine --timeout 60 --output-on-failure >"$log_dir/win32.log" 2>&1
win_rc=$?
cp -f build/win64/Testing/Temporary/LastTest.log "$log_dir/win32-detail.log" 2>/dev/null || true
summarize "$log_dir/win32.log"
count_ctest "$log_dir/win32.log"

# The 32-bit program: the Win32 tests that reach each library it loads only when first used (the
# file dialogs, the print dialog and spooler, the shell), run on the i686 build under 32-bit Wine.
# Its start-up (the shell's folders) is reached by the x86 installer's test below.
echo "== 32-bit Win32 tests under Wine"
timeout "$suite_limit" ctest --test-dir build/win32 -L wine -LE e2e -R '^(RealDesktop|RealPrinting|RealSystem)\.' \
  --timeout 60 --output-on-failure >"$log_dir/win32-x86.log" 2>&1
x86_rc=$?
cp -f build/win32/Testing/Temporary/LastTest.log "$log_dir/win32-x86-detail.log" 2>/dev/null || true
summarize "$log_dir/win32-x86.log"
count_ctest "$log_dir/win32-x86.log"

echo "== end-to-end tests"
# Each end-to-end test runs the program in a Wine session of its own, on its own display, as a
# user would: not beside the services the Win32 tests' server started on theirs.
tess_stop_wineserver
e2e_rc=0
for script in tests/e2e/*.sh; do
  [ -e "$script" ] || continue
  name=$(basename "$script" .sh)
  if timeout 300 bash "$script" >"$log_dir/$name.log" 2>&1; then
    echo "e2e $name: passed"; passed=$((passed + 1))
  else
    echo "e2e $name: FAILED (log: build/test-logs/$name.log)"; tail -n 30 "$log_dir/$name.log"
    failed=$((failed + 1)); e2e_rc=1
  fi
done

echo
echo "tests: $passed passed, $failed failed"
if [ $native_rc -ne 0 ] || [ $win_rc -ne 0 ] || [ $x86_rc -ne 0 ] || [ $e2e_rc -ne 0 ] || [ $failed -ne 0 ]; then exit 1; fi
exit 0
