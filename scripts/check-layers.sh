#!/usr/bin/env bash
# Checks that the source folders only depend downwards. Every quoted include of a header in src/
# is checked against the layer order below; each include that breaks a rule is listed as
# file:line with the include, and the check exits 1.
# Usage: scripts/check-layers.sh [src-dir]   (default: the repository's src/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The source folders, lowest layer first. A layer must not depend on any layer above it, so each
# one can be built and tested on its own with only what lies below it. A new folder under src/ is
# refused until it is placed here, so where it sits is decided, not drifted into.
layers=(platform state editor document search print help dialogs app)
# Data that any layer may include (resources/resource.h); it includes no code itself.
data_folder=resources

# The rules, for a file in src/F/ or src/F/win32/:
#   - it may include only folders at or below F (and the data folder);
#   - window code is private to its subsystem: it may include G/win32/... only if G is F, or G is
#     platform (the window seams everyone builds on), or F is app (which wires everything together);
#   - a portable file (src/F/, not under win32/) never includes any win32/ header, so it compiles
#     and is tested without Windows.

if [ $# -gt 1 ]; then echo "usage: scripts/check-layers.sh [src-dir]" >&2; exit 2; fi
if [ $# -eq 1 ]; then
  src=$1
else
  cd "$root"
  src=src
fi
if [ ! -d "$src" ]; then echo "check-layers: no such folder: $src" >&2; exit 2; fi

python3 - "$src" "$data_folder" "${layers[@]}" <<'PY'
import os
import re
import sys

src, data, layers = sys.argv[1], sys.argv[2], sys.argv[3:]
rank = {name: i for i, name in enumerate(layers)}
known = set(layers) | {data}
src_abs = os.path.realpath(src)
include_re = re.compile(r'^\s*#\s*include\s*"([^"]+)"')

problems = []   # (shown path, line number or None, text)


def shown(rel):
    return os.path.join(src, rel)


# Folders under src/ that are not in the order at all.
for entry in sorted(os.listdir(src)):
    if os.path.isdir(os.path.join(src, entry)) and entry not in known:
        problems.append((shown(entry) + "/", None, "folder is not in the layer order"))

files = []
for dirpath, dirnames, filenames in os.walk(src):
    dirnames.sort()
    for name in sorted(filenames):
        if name.endswith((".h", ".cpp")):
            files.append(os.path.relpath(os.path.join(dirpath, name), src))


def resolve(including, target):
    """The include's path relative to src/, or None when it is not a header under src/.
    A quoted include is looked up next to the including file first, as the compiler does."""
    beside = os.path.normpath(os.path.join(src_abs, os.path.dirname(including), target))
    if os.path.exists(beside) and beside.startswith(src_abs + os.sep):
        return os.path.relpath(beside, src_abs)
    if target.startswith(("/", "..")) or "/" not in target:
        return None
    return os.path.normpath(target)


for rel in files:
    parts = rel.split(os.sep)
    if len(parts) < 2:
        problems.append((shown(rel), None, "file is not in a layer folder"))
        continue
    folder = parts[0]
    if folder not in known:
        continue  # already reported as an unknown folder
    if folder == data:
        window = False
    else:
        if len(parts) > 3 or (len(parts) == 3 and parts[1] != "win32"):
            problems.append((shown(rel), None,
                             "file is in neither %s/ nor %s/win32/" % (folder, folder)))
            continue
        window = len(parts) == 3
    with open(os.path.join(src, rel), encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = include_re.match(line)
            if not m:
                continue
            target = resolve(rel, m.group(1))
            if target is None:
                continue
            tparts = target.split(os.sep)
            if len(tparts) < 2:
                continue
            to = tparts[0]
            if to not in known and not os.path.isdir(os.path.join(src, to)):
                continue  # not one of ours (a header from outside src/)
            to_window = "win32" in tparts[1:-1]
            text = '#include "%s"' % m.group(1)
            why = []
            if to not in known:
                why.append("%s/ is not in the layer order" % to)
            elif to != data:
                if folder == data:
                    why.append("%s/ holds data and includes no code" % data)
                elif rank[to] > rank[folder]:
                    why.append("%s is below %s and must not include it" % (folder, to))
                if to_window:
                    if not window:
                        why.append("a portable file must not include win32/ code")
                    elif to != folder and to != "platform" and folder != "app":
                        why.append("%s/win32/ is private to %s" % (to, to))
            if why:
                problems.append((shown(rel), number, text + ": " + "; ".join(why)))

if problems:
    for path, number, text in problems:
        print("%s:%d: %s" % (path, number, text) if number else "%s: %s" % (path, text))
    print("layers: %d violation(s)" % len(problems))
    sys.exit(1)
print("layers: ok (%d files)" % len(files))
PY
