#!/usr/bin/env bash
# Configures and builds one or more of the build trees under build/:
#   native  the core and its unit tests with g++, AddressSanitizer and UBSan
#   win64   Tessaline.exe and the Win32 tests, x86_64 mingw-w64 (run under Wine)
#   win32   Tessaline.exe for i686 (the x86 package)
#   win32-tests  the same tree with its Win32 tests too (the test command runs some under 32-bit Wine)
# Usage: scripts/build.sh [native|win64|win32|win32-tests|all]...   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# Configures build/<dir> when it has never been configured or was configured differently. CMake
# only reads the command line's options on a configure, so a tree configured once would otherwise
# keep its old options for ever. Each tree keeps a stamp of what it was configured from: the exact
# arguments, the toolchain file's content and the CMake version. When that changes the tree is
# configured afresh: --fresh drops the old cache, so an option that was removed is really gone and
# a new toolchain's compilers are detected again (it also drops the objects, so the tree rebuilds
# whole). A tree without a stamp predates the stamps and was configured with these same options,
# so it is only reconfigured in place, keeping its objects. The output goes to configure.log in
# the tree and is shown only if configuring fails.
configure() {  # dir, extra cmake args...
  local dir=$1; shift
  local tree="$root/build/$dir"
  local args=(-S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@")
  local stamp="$tree/.tess-configure-stamp" log="$tree/configure.log" want arg
  want=$(
    cmake --version | sed -n 1p
    printf 'arg %s\n' "${args[@]}"
    for arg in "${args[@]}"; do
      case "$arg" in
        -DCMAKE_TOOLCHAIN_FILE=*) echo "toolchain $(sha256sum < "${arg#*=}" | cut -d' ' -f1)" ;;
      esac
    done
  )
  if [ -f "$tree/build.ninja" ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
    return 0
  fi
  local fresh=()
  if [ -f "$tree/CMakeCache.txt" ] && [ -f "$stamp" ]; then fresh=(--fresh); fi
  mkdir -p "$tree"
  # A failed configure must not leave an old stamp claiming the tree is current; the marker makes
  # the next attempt configure afresh too.
  printf 'configure started\n' >"$stamp"
  echo "build.sh: configuring build/$dir"
  if ! cmake "${fresh[@]}" "${args[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    echo "build.sh: configuring build/$dir failed (log: $log)" >&2
    exit 1
  fi
  printf '%s\n' "$want" >"$stamp"
}

build_one() {
  case "$1" in
    native)
      configure native -DTESS_SANITIZE=ON -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc
      cmake --build "$root/build/native" -j "$jobs" ;;
    win64)
      configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
      cmake --build "$root/build/win64" -j "$jobs" ;;
    win32|win32-tests)
      configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
      local targets=(Tessaline)
      [ "$1" = win32-tests ] && targets+=(win32_tests)
      cmake --build "$root/build/win32" -j "$jobs" --target "${targets[@]}" ;;
    all) build_one native; build_one win64; build_one win32-tests ;;
    *) echo "build.sh: unknown build '$1' (native, win64, win32, win32-tests, all)" >&2; exit 2 ;;
  esac
}

[ $# -eq 0 ] && set -- all
for b in "$@"; do build_one "$b"; done
