#!/usr/bin/env bash
# Installs what is missing and builds Quillora. With "program" only what
# running it needs: Quillora.exe, the reminder and the data folder (and the
# small tool that waits for its window), none of the tests, benchmarks or the
# installer. With "win", "native" or "asan" that whole tree (the native
# trees hold the unit tests, plain and with sanitizers, and the benchmarks);
# with "all" every one of them. Build
# folders live under build/ and are reused, so a second run only rebuilds
# what changed, and a later "all" reuses what "program" compiled.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
. "$root/scripts/trees.sh"
jobs=$(nproc)

if [ "$what" = program ]; then
  "$root/scripts/install-deps.sh" program
else
  "$root/scripts/install-deps.sh"
fi
"$root/scripts/fetch-pcre2.sh" "$build/_deps/pcre2"

if [ "$what" = program ]; then
  configure_tree win
  cmake --build "$build/win" -j"$jobs" --target Quillora Reminder quillora_ctl
  exit 0
fi
case $what in
  all) trees=(win native asan) ;;
  win | native | asan) trees=("$what") ;;
  *) echo "build.sh: say program, win, native, asan or all" >&2; exit 2 ;;
esac
for tree in "${trees[@]}"; do
  configure_tree "$tree"
  cmake --build "$build/$tree" -j"$jobs"
done
