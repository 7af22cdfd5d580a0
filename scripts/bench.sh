#!/usr/bin/env bash
# Builds the core benchmarks natively in Release (no sanitizers) and runs them. Extra arguments
# go to the benchmark executable, e.g. --benchmark_filter=lineText.
# Usage: scripts/bench.sh [benchmark options]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
jobs=$(nproc 2>/dev/null || echo 2)
dir="$root/build/bench"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESS_BENCH=ON -DTESS_BUILD_TESTS=OFF \
    -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
fi
cmake --build "$dir" -j "$jobs" --target core_bench
exec "$dir/bench/core_bench" "$@"
