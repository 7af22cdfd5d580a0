#!/usr/bin/env bash
# Builds the release packages into dist/, installing what is missing:
#   Tessaline-VERSION-portable.zip   x64/ and x86/Tessaline.exe, each with the help file beside it,
#                                    the README (with its screenshot) and the licence
#   Tessaline-VERSION-setup-x64.exe  installer for 64-bit Windows (the 64-bit program)
#   Tessaline-VERSION-setup-x86.exe  installer for 32-bit Windows (the 32-bit program)
# Then it tests both installers under Wine (tests/e2e/installer.sh; the x86 one on 32-bit Wine);
# --no-test skips that.
# Usage: scripts/package.sh [--no-test]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

run_test=1
case "${1:-}" in
  "") ;;
  --no-test) run_test=0 ;;
  *) echo "usage: scripts/package.sh [--no-test]" >&2; exit 2 ;;
esac

fail() { echo "package: $*" >&2; exit 1; }

bash scripts/setup.sh
mkdir -p build
build_log="$root/build/package-build.log"
if ! bash scripts/build.sh win64 win32 >"$build_log" 2>&1; then
  tail -n 60 "$build_log" >&2
  fail "the build failed (full output: $build_log)"
fi

# The version the executables were built with: CMake took it from project() in CMakeLists.txt,
# the one place it is set, and gave it to the About box and the version resource as well.
version_of() { sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "build/$1/CMakeCache.txt" 2>/dev/null; }
version=$(version_of win64)
[ -n "$version" ] || fail "build/win64 holds no project version"
[ "$(version_of win32)" = "$version" ] || fail "build/win32 was built as version $(version_of win32), build/win64 as $version"

# The help file is built from help/ beside each executable. Once there are help sources, a
# package without the help file would install a program whose Help menu only says it has none.
help_expected=0
if [ -d help ] && [ -n "$(ls -A help)" ]; then help_expected=1; fi

stage="$root/build/package"
rm -rf "$stage"
mkdir -p "$stage/zip/docs" dist
rm -f dist/Tessaline-*-portable.zip dist/Tessaline-*-setup-*.exe

declare -A help_of
for pair in x64:win64 x86:win32; do
  arch=${pair%%:*} tree=build/${pair#*:}
  [ -f "$tree/Tessaline.exe" ] || fail "$tree/Tessaline.exe was not built"
  mkdir -p "$stage/zip/$arch"
  cp "$tree/Tessaline.exe" "$stage/zip/$arch/"
  help_of[$arch]=
  if [ -f "$tree/TessalineHelp.ahp" ]; then
    cp "$tree/TessalineHelp.ahp" "$stage/zip/$arch/"
    help_of[$arch]="$root/$tree/TessalineHelp.ahp"
  elif [ $help_expected -eq 1 ]; then
    fail "$tree/TessalineHelp.ahp is missing, but help/ has help sources: the build must produce it"
  fi
done
cp README.md LICENSE "$stage/zip/"
cp docs/screenshot.png "$stage/zip/docs/"

zip_file="dist/Tessaline-$version-portable.zip"
(cd "$stage/zip" && zip -q -X -r "$root/$zip_file" .)

for arch in x64 x86; do
  tree=win64; [ "$arch" = x86 ] && tree=win32
  defines=(-DVERSION="$version" -DARCH="$arch" -DEXE="$root/build/$tree/Tessaline.exe"
    -DLICENSE_FILE="$root/LICENSE" -DOUTFILE="$root/dist/Tessaline-$version-setup-$arch.exe")
  [ -n "${help_of[$arch]}" ] && defines+=(-DHELP="${help_of[$arch]}")
  makensis -V2 -NOCD "${defines[@]}" packaging/Tessaline.nsi >"$stage/makensis-$arch.log" 2>&1 ||
    { cat "$stage/makensis-$arch.log" >&2; fail "makensis failed for $arch"; }
done

echo "package: dist/ holds (help file: $([ -n "${help_of[x64]}" ] && echo included || echo 'none built'))"
(cd dist && ls -l Tessaline-"$version"-* | awk '{printf "  %-36s %9d bytes\n", $9, $5}')

if [ $run_test -eq 1 ]; then
  TESS_DIST="$root/dist" bash tests/e2e/installer.sh x64 x86
fi
