#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every check: clang-tidy
# and clang-format, a short fuzzing run, the unit tests natively, with
# sanitizers and under Wine, then the Windows-side and end-to-end tests of the
# real program under Wine on a private Xvfb display.
# With a CTest name pattern as $1 (./scripts/test.sh 'Import|Undo') only the
# matching tests of every tree run, after the build, and the static checks
# and the fuzzing pass are left out: the quick loop while working on a piece.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
only=${1:-}
. "$root/scripts/trees.sh"

# Every phase is timed; the table comes at the end, however the run ends.
phase_lines=()
run_start=$(date +%s%N)
run_phase() {
  local name=$1 start end status=0
  shift
  start=$(date +%s%N)
  "$@" || status=$?
  end=$(date +%s%N)
  phase_lines+=("$(printf '%-24s %8.1f s%s' "$name" "$(((end - start) / 1000000))e-3" \
    "$([ $status -eq 0 ] || echo '   FAILED')")")
  return $status
}
print_phases() {
  [ ${#phase_lines[@]} -gt 0 ] || return 0
  echo
  echo "Time of each phase:"
  printf '  %s\n' "${phase_lines[@]}"
  printf '  %-24s %8.1f s\n' "whole run" "$((($(date +%s%N) - run_start) / 1000000))e-3"
}

status=0
build_failed() { print_phases; echo "THE BUILD FAILED" >&2; exit 1; }
for tree in win native asan; do
  run_phase "build: $tree" "$root/scripts/build.sh" "$tree" || build_failed
done

. "$root/scripts/xvfb.sh"
export WINEPREFIX=$build/wine-test-prefix
. "$root/scripts/wine-env.sh"
wine_setup() {
  "$root/scripts/wine-prefix.sh" "$WINEPREFIX" unmanaged
  start_private_display
  # A persistent Wine server for the whole run: each Wine test starts
  # faster, and Wine's helpers don't hold CTest's output open.
  wineserver -p
  # The first Wine process starts Wine's own services, which would hold the
  # output pipe of whatever runs first (a test listing) open until it times
  # out.
  "$root/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
  # The desktop for the whole run: started by each test's first window
  # instead, its wait was most of the time of a short scenario.
  start_wine_desktop
}
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_private_display
  print_phases
}
trap cleanup EXIT
run_phase "Wine and display" wine_setup

filter=()
if [ -n "$only" ]; then
  filter=(-R "$only")
else
  # Static checks and a short fuzzing run of the portable core first (clang).
  run_phase "lint" "$root/scripts/lint.sh" || status=1
  run_phase "fuzzing" "$root/scripts/fuzz.sh" || status=1
fi
run_phase "tests: native" ctest --test-dir "$build/native" --output-on-failure "${filter[@]}" || status=1
run_phase "tests: asan" ctest --test-dir "$build/asan" --output-on-failure "${filter[@]}" || status=1
# A Wine process very rarely fails to start at all (no output, a tenth of a
# second); such a test runs once more. A real fault fails both times.
run_phase "tests: win (Wine)" \
  ctest --test-dir "$build/win" --output-on-failure --repeat until-pass:2 "${filter[@]}" || status=1
if [ $status -ne 0 ]; then echo "SOME TESTS FAILED" >&2; fi
exit $status
