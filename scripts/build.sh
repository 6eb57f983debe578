#!/usr/bin/env bash
# Installs what is missing and builds Quillora. With "win" only the Windows
# tree (the program); with "all" also the native trees (unit tests, plain and
# with sanitizers, and the benchmarks). Build folders live under build/ and
# are reused, so a second run only rebuilds what changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
. "$root/scripts/trees.sh"
jobs=$(nproc)

"$root/scripts/install-deps.sh"
"$root/scripts/fetch-pcre2.sh" "$build/_deps/pcre2"

configure_tree win
cmake --build "$build/win" -j"$jobs"

if [ "$what" = all ]; then
  configure_tree native
  cmake --build "$build/native" -j"$jobs"
  configure_tree asan
  cmake --build "$build/asan" -j"$jobs"
fi
