#!/usr/bin/env bash
# Builds and runs the benchmarks and prints one table (not part of the tests: figures depend on
# the machine and its load):
#   core     every benchmark program the bench/ folder builds (Google Benchmark, native Release
#            without sanitizers), so benchmarks added there join by themselves;
#   program  the real Tessaline.exe (build/win64, the release build) under Wine, timed from outside
#            by bench/win32/ProgramBench.cpp: start-up, opening 1 MB and 5 MB from the command
#            line (and 1 MB of UTF-8 with accented and Greek letters), keystrokes in a 100,000-character document, Replace All on 1 MB; and idle CPU
#            time and wake-ups over 5 s, read from /proc.
# Usage: scripts/bench.sh [core|program|all] [Google Benchmark options, e.g. --benchmark_filter=Gutter]
# Env: RUNS (program runs per figure, default 3). A few minutes (4 on a busy 2-core machine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
which=all
case "${1:-}" in core|program|all) which=$1; shift ;; esac
bash scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
out="$root/build/bench-results"
rm -rf "$out"
mkdir -p "$out"

# Configures a benchmark tree once; its options never change.
configure() {  # dir, cmake args...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESS_BENCH=ON -DTESS_BUILD_TESTS=OFF "$@" \
      >"$out/configure.log" 2>&1 || { cat "$out/configure.log" >&2; exit 1; }
  fi
}

if [ "$which" != program ]; then
  configure "$root/build/bench" -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc
  cmake --build "$root/build/bench" -j "$jobs" >"$out/core-build.log" 2>&1 ||
    { tail -n 40 "$out/core-build.log" >&2; echo "bench: the core benchmarks did not build" >&2; exit 1; }
  for exe in "$root"/build/bench/bench/*; do
    [ -f "$exe" ] && [ -x "$exe" ] || continue
    name=$(basename "$exe")
    echo "bench: running $name" >&2
    nice -n 5 "$exe" --benchmark_out="$out/$name.json" --benchmark_out_format=json "$@" >"$out/$name.log" 2>&1 ||
      { tail -n 20 "$out/$name.log" >&2; echo "bench: $name failed" >&2; exit 1; }
  done
fi

if [ "$which" != core ]; then
  build_log="$out/program-build.log"
  bash scripts/build.sh win64 >"$build_log" 2>&1 || { tail -n 40 "$build_log" >&2; exit 1; }
  configure "$root/build/bench-win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
  cmake --build "$root/build/bench-win64" -j "$jobs" --target program_bench >>"$build_log" 2>&1 ||
    { tail -n 40 "$build_log" >&2; exit 1; }

  # shellcheck source=scripts/wine-env.sh
  source scripts/wine-env.sh
  work=$(mktemp -d)
  idle_pid=
  cleanup() {
    if [ -n "$idle_pid" ]; then kill "$idle_pid" 2>/dev/null || true; wait "$idle_pid" 2>/dev/null || true; fi
    tess_stop_wineserver
    tess_stop_xvfb
    rm -rf "$work"
  }
  trap cleanup EXIT
  # A running server and services, so that no timed start pays for them.
  tess_start_session server || exit 1
  # A copy of its own: the program keeps its settings beside itself.
  cp build/win64/Tessaline.exe "$work/"
  windows() { echo "Z:$(echo "$1" | tr '/' '\\')"; }
  echo "bench: timing the program under Wine" >&2
  "$tess_wine" build/bench-win64/bench/program_bench.exe --exe "$(windows "$work/Tessaline.exe")" \
    --docs "$(windows "$work/docs")" --runs "${RUNS:-3}" </dev/null >"$out/program.tsv" 2>"$out/program.log" ||
    { cat "$out/program.log" >&2; echo "bench: the program run failed" >&2; exit 1; }

  # Idle: CPU time and voluntary context switches (each one a wake-up) of every thread of the
  # program's process, over 5 s with no document, after a second to settle. wine64 runs the
  # program in the process it starts, so its pid is the program's.
  "$tess_wine" "$work/Tessaline.exe" </dev/null >/dev/null 2>&1 &
  idle_pid=$!
  for _ in $(seq 1 300); do
    xdotool search --onlyvisible --name '^Tessaline$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  sample() {  # prints: cpu-ns wakeups
    local cpu=0 switches=0 t
    for t in /proc/"$idle_pid"/task/*; do
      cpu=$((cpu + $(cut -d' ' -f1 "$t/schedstat")))
      switches=$((switches + $(awk '/^voluntary_ctxt_switches/{print $2}' "$t/status")))
    done
    echo "$cpu $switches"
  }
  read -r cpu0 wake0 < <(sample)
  sleep 5
  read -r cpu1 wake1 < <(sample)
  awk -v c=$((cpu1 - cpu0)) -v w=$((wake1 - wake0)) 'BEGIN {
    printf "row\tidle CPU, 5 s, no document\t%.3g\tms\tall threads of the process, from /proc\n", c / 1e6
    printf "row\tidle wake-ups\t%.3g\tper s\tvoluntary context switches over 5 s\n", w / 5 }' >>"$out/program.tsv"
fi

python3 - "$out" <<'PY'
import glob, json, os, sys
out = sys.argv[1]
rows = []
def number(v):
    return "{:,.0f}".format(v) if abs(v) >= 1000 else "%.3g" % v
for path in sorted(glob.glob(os.path.join(out, "*.json"))):
    program = os.path.basename(path)[:-5]
    for b in json.load(open(path))["benchmarks"]:
        if b.get("aggregate_name") == "BigO":
            rows.append((program, b["name"], number(b["cpu_coefficient"]), "%s x %s" % (b["time_unit"], b["big_o"]), "complexity fit"))
        elif b.get("run_type", "iteration") == "iteration":
            rows.append((program, b["name"], number(b["real_time"]), b["time_unit"], "%d iterations" % b["iterations"]))
tsv = os.path.join(out, "program.tsv")
if os.path.exists(tsv):
    for line in open(tsv):
        parts = line.rstrip("\n").split("\t")
        if parts[0] == "row":
            value = parts[2] if parts[2] == "n/a" else number(float(parts[2]))
            rows.append(("Tessaline.exe (Wine)", parts[1], value, parts[3], parts[4]))
if not rows:
    sys.exit("bench: no figures")
widths = [max(len(r[i]) for r in rows + [("where", "what", "value", "unit", "notes")]) for i in range(5)]
line = lambda r: "  ".join([r[0].ljust(widths[0]), r[1].ljust(widths[1]), r[2].rjust(widths[2]), r[3].ljust(widths[3]), r[4]])
print(line(("where", "what", "value", "unit", "notes")))
print("-" * (sum(widths[:4]) + 8 + max(len(r[4]) for r in rows)))
for r in rows:
    print(line(r))
PY
echo "(load average while running: $(cut -d' ' -f1-3 /proc/loadavg); raw results in build/bench-results/)"
