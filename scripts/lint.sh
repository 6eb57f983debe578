#!/usr/bin/env bash
# Static checks: clang-tidy (.clang-tidy) over the portable core, its unit
# tests and the fuzz targets, with the compile commands of the sanitizers'
# settings, and clang-format (.clang-format) over every C++ file of the
# project. Any finding fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/trees.sh"
status=0

"$root/scripts/install-deps.sh"

# Configuring again refreshes the compile commands, so that a test file added
# since the last run is checked too; it builds nothing. The tree has the
# sanitizers' settings (clang), under which every portable file compiles: the
# core, its unit tests and the fuzz targets (the Windows ones need MinGW's
# headers); it is configured apart from the asan tree, so that the two can
# run side by side.
configure_tree lint
cmake -S "$root" -B "$build/lint" -Wno-dev >/dev/null

# The commands without the precompiled headers, which clang-tidy would read
# only from the very clang that made them, and only once they are built;
# each file includes what they hold itself.
lint_db=$build/lint-db
mkdir -p "$lint_db"
python3 - "$build/lint/compile_commands.json" "$lint_db/compile_commands.json" <<'PY'
import json, re, sys
commands = json.load(open(sys.argv[1]))
for command in commands:
    command["command"] = re.sub(
        r" -Winvalid-pch| -include \S*cmake_pch\.hxx| -Xclang -include-pch -Xclang \S*cmake_pch\.hxx\.pch"
        r"| -Xclang -include -Xclang \S*cmake_pch\.hxx", "", command["command"])
json.dump(commands, open(sys.argv[2], "w"), indent=1)
PY

echo "clang-tidy: the core, its unit tests and the fuzz targets"
log=$build/clang-tidy.log
if ! run-clang-tidy -quiet -p "$lint_db" -j "$(nproc)" "^$root/(src|tests/unit|fuzz)/" >"$log" 2>&1; then
  # run-clang-tidy always colours its output; the log is read as plain text.
  sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '(warning|error):' | sort -u >&2 || cat "$log" >&2
  echo "clang-tidy: findings above (full output in $log)" >&2
  status=1
fi

# Layers point one way. Each line: a folder of src/ and the folders it must
# never include from. base is below everything; storage below calc and
# exchange; calc below exchange; the portable core below every window; ui
# below the two programs; and the two programs apart from each other.
layer_rules="base:storage|calc|exchange|ui|app|reminder
storage:calc|exchange|ui|app|reminder
calc:exchange|ui|app|reminder
exchange:ui|app|reminder
ui:app|reminder
app:reminder
reminder:app"
while IFS=: read -r folder above; do
  echo "layers: src/$folder includes nothing of ${above//|/, }"
  if (cd "$root" && grep -nE "#include +\"($above)/" -r "src/$folder") >&2; then
    echo "layers: the includes above point the wrong way" >&2
    status=1
  fi
done <<<"$layer_rules"

# No two files of src/ include each other, a header and its source taken as
# one (a.cpp including b.h while b.h includes a.h counts).
echo "includes: no file of src/ includes one that includes it back"
if ! python3 - "$root/src" <<'PY'
import os, re, sys
root = sys.argv[1]
uses = {}
for folder, _, files in os.walk(root):
    for name in files:
        if name.endswith((".h", ".cpp")):
            path = os.path.join(folder, name)
            unit = os.path.relpath(os.path.splitext(path)[0], root)
            for line in open(path, errors="replace"):
                found = re.match(r'\s*#include\s+"([^"]+)\.h"', line)
                if found and found.group(1) != unit:
                    uses.setdefault(unit, set()).add(found.group(1))
back = sorted((a, b) for a in uses for b in uses[a] if a < b and a in uses.get(b, ()))
for a, b in back:
    print(f"includes: src/{a} and src/{b} include each other", file=sys.stderr)
sys.exit(1 if back else 0)
PY
then
  status=1
fi

# Every C++ file git knows or would add, committed or not.
echo "clang-format: every C++ file"
mapfile -t sources < <(cd "$root" && git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
if ! (cd "$root" && clang-format --dry-run --Werror "${sources[@]}"); then
  echo "clang-format: the files above differ from .clang-format (clang-format -i FILE)" >&2
  status=1
fi

if [ $status -eq 0 ]; then echo "lint: no findings"; fi
exit $status
