#!/usr/bin/env bash
# Configures and builds one or more of the build trees under build/:
#   native  the core and its unit tests with g++, AddressSanitizer and UBSan
#   win64   Tessaline.exe and the Win32 tests, x86_64 mingw-w64 (run under Wine)
#   win32   Tessaline.exe for i686 (compiled only: there is no 32-bit Wine here)
# Usage: scripts/build.sh [native|win64|win32|all]...   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

configure() {  # dir, extra cmake args...
  local dir=$1; shift
  if [ ! -f "$root/build/$dir/build.ninja" ]; then
    cmake -S "$root" -B "$root/build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  fi
}

build_one() {
  case "$1" in
    native)
      configure native -DTESS_SANITIZE=ON -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc
      cmake --build "$root/build/native" -j "$jobs" ;;
    win64)
      configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
      cmake --build "$root/build/win64" -j "$jobs" ;;
    win32)
      configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DTESS_BUILD_TESTS=OFF
      cmake --build "$root/build/win32" -j "$jobs" --target Tessaline ;;
    all) build_one native; build_one win64; build_one win32 ;;
    *) echo "build.sh: unknown build '$1' (native, win64, win32, all)" >&2; exit 2 ;;
  esac
}

[ $# -eq 0 ] && set -- all
for b in "$@"; do build_one "$b"; done
