#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ natively with clang (AddressSanitizer and UBSan) and runs
# every target the build makes, one after the other, for the given time each; then prints the
# executions of each target. A target that finds a crash leaves the input that caused it in
# build/fuzz/artifacts/ and makes the script exit 1. Each target keeps the corpus it grows in
# build/fuzz/corpus/<target>/, so a later run goes on from there; fuzz/corpus/<target>/, where it
# exists, seeds it.
# Usage: scripts/fuzz.sh <seconds per target> [target...]
# Env: FUZZ_WORKERS (default 1): workers per target, run side by side on one corpus; the
#      executions printed are those of all of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]] || [ "$1" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh <seconds per target> [target...]" >&2
  exit 2
fi
seconds=$1; shift
bash scripts/setup.sh

dir="$root/build/fuzz"
mkdir -p "$dir"
# A debug configuration: the targets choose their own optimisation, and assertions stay on.
if [ ! -f "$dir/build.ninja" ] || ! grep -q '^CMAKE_BUILD_TYPE:STRING=Debug$' "$dir/CMakeCache.txt"; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESS_FUZZ=ON -DTESS_BUILD_TESTS=OFF \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >"$dir/configure.log" 2>&1 ||
    { cat "$dir/configure.log" >&2; exit 1; }
fi
nice -n 10 cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)" >"$dir/build.log" 2>&1 ||
  { tail -n 40 "$dir/build.log" >&2; echo "fuzz: the targets did not build" >&2; exit 1; }

targets=()
if [ $# -gt 0 ]; then
  targets=("$@")
else
  for exe in "$dir"/fuzz/*; do
    [ -f "$exe" ] && [ -x "$exe" ] && targets+=("$(basename "$exe")")
  done
fi
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: fuzz/ builds no targets" >&2; exit 1; }

mkdir -p "$dir/artifacts" "$dir/logs"
workers=${FUZZ_WORKERS:-1}
[[ $workers =~ ^[1-9][0-9]*$ ]] || { echo "fuzz: FUZZ_WORKERS is a whole number from 1" >&2; exit 2; }
results=()
crashed=0
for name in "${targets[@]}"; do
  exe="$dir/fuzz/$name"
  [ -x "$exe" ] || { echo "fuzz: no target $name" >&2; exit 2; }
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  dirs=("$corpus")
  [ -d "fuzz/corpus/$name" ] && dirs+=("fuzz/corpus/$name")
  # Each worker writes its own log there (libFuzzer names them fuzz-N.log when it runs several).
  logs="$dir/logs/$name"
  rm -rf "$logs"
  mkdir -p "$logs"
  # One worker logs as the first of several would; with several, the parent's output repeats
  # theirs and is kept apart.
  parallel=() out=fuzz-0.log
  [ "$workers" -gt 1 ] && parallel=(-jobs="$workers" -workers="$workers") out=parent.out
  echo "fuzz: $name for $seconds s on $workers worker(s)" >&2
  status=ok
  if ! (cd "$logs" && nice -n 10 "$exe" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 "${parallel[@]}" \
      -artifact_prefix="$dir/artifacts/$name-" "${dirs[@]/#fuzz/$root/fuzz}" >"$out" 2>&1) ||
     grep -q -E '^==[0-9]+==ERROR|deadly signal|Test unit written' "$logs"/*.log; then
    status="FAILED: $(grep -h -m1 -E '^==[0-9]+==ERROR|deadly signal' "$logs"/*.log | head -n 1)"
    grep -h -m1 'Test unit written to' "$logs"/*.log >&2 || true
    crashed=1
  fi
  runs=$(cat "$logs"/*.log | sed -n 's/^stat::number_of_executed_units: *//p' | awk '{n += $1} END {print n + 0}')
  took=$(cat "$logs"/*.log | sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' | sort -n | tail -n 1)
  results+=("$name|$runs|${took:-$seconds}|$status")
done

printf '%-28s %15s %8s %12s  %s\n' target executions seconds 'per second' result
for r in "${results[@]}"; do
  IFS='|' read -r name runs took status <<<"$r"
  rate='?'
  [[ $runs =~ ^[0-9]+$ ]] && [ "$took" -gt 0 ] && rate=$((runs / took))
  printf '%-28s %15s %8s %12s  %s\n' "$name" "$runs" "$took" "$rate" "$status"
done
exit $crashed
