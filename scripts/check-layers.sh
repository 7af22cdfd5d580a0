#!/usr/bin/env bash
# The build keeps the layers: each source folder is a library whose include roots hold only the
# folders it may use (cmake/Layers.cmake), so an include of a higher folder, or of window code
# from portable code, does not compile. One way past the roots is left, and this check closes it:
# the compiler looks for a quoted include beside the including file first, so "win32/View.h" in
# src/editor/ or "../app/Menus.h" anywhere would be found without them. Every include of our own
# headers is therefore written from src/ ("editor/Caret.h"), never beside the file nor through
# "..". Each include written otherwise is listed as file:line, and the check exits 1.
# Usage: scripts/check-layers.sh [src-dir]   (default: the repository's src/)
set -euo pipefail
if [ $# -gt 1 ]; then echo "usage: scripts/check-layers.sh [src-dir]" >&2; exit 2; fi
if [ $# -eq 0 ]; then cd "$(dirname "$0")/.."; fi
src=${1:-src}
if [ ! -d "$src" ]; then echo "check-layers: no such folder: $src" >&2; exit 2; fi

bad=0 files=0
while IFS= read -r -d '' file; do
  files=$((files + 1))
  number=0
  while IFS= read -r line; do
    number=$((number + 1))
    [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"\<]([^\"\>]+) ]] || continue
    target=${BASH_REMATCH[1]}
    if [[ $target == /* || /$target/ == */../* || -e $(dirname "$file")/$target ]]; then
      echo "$file:$number: $line: write the include from src/ (as \"folder/File.h\")"
      bad=$((bad + 1))
    fi
  done <"$file"
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if [ $bad -gt 0 ]; then echo "layers: $bad include(s) past the build's include roots"; exit 1; fi
echo "layers: ok ($files files)"
