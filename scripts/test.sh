#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every check: clang-tidy
# and clang-format, a short fuzzing run, the unit tests with sanitizers and
# under Wine, then the Windows-side and end-to-end tests of the real program
# under Wine on a private Xvfb display.
# The Windows side (its build, then its tests, which mostly wait for windows)
# runs in front; the native side (its builds, the static checks, the fuzzing
# run and its tests) runs beside it at the lowest priority, so it takes only
# what the Windows side leaves of the processors and never slows a scenario
# down.
# With a CTest name pattern as $1 (./scripts/test.sh 'Import|Undo') only the
# matching tests of every tree run, after the build, and the static checks
# and the fuzzing pass are left out: the quick loop while working on a piece.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
only=${1:-}
. "$root/scripts/trees.sh"
mkdir -p "$build"

# Every phase of either side is timed (scripts/phases.sh); the table comes
# at the end, however the run ends.
. "$root/scripts/phases.sh"
: >"$phases"
run_start=$(date +%s%N)
print_phases() {
  [ -s "$phases" ] || return 0
  echo
  echo "Time of each phase (wall clock, then processor time):"
  sed 's/^/  /' "$phases"
  printf '  %-24s %8.1f s\n' "whole run" "$((($(date +%s%N) - run_start) / 1000000))e-3"
}

status=0
# Once, before the two sides start: they would otherwise both ask apt.
"$root/scripts/install-deps.sh"
"$root/scripts/fetch-pcre2.sh" "$build/_deps/pcre2"

filter=()
[ -z "$only" ] || filter=(-R "$only")
# The native side (scripts/test-native.sh) in a process group and session of
# its own, so that a run that ends early ends it too, and at the lowest
# priority; its output is shown once it is done.
native_log=$build/test-native-side.log
setsid nice -n 19 "$root/scripts/test-native.sh" "$only" >"$native_log" 2>&1 &
native_pid=$!
finish_native_side() {
  local native_status=0
  wait "$native_pid" || native_status=$?
  native_pid=
  echo
  echo "The native side:"
  cat "$native_log"
  return $native_status
}

. "$root/scripts/xvfb.sh"
export WINEPREFIX=$build/wine-test-prefix
. "$root/scripts/wine-env.sh"
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_private_display
  [ -z "$native_pid" ] || kill -- "-$native_pid" 2>/dev/null || true
  print_phases
}
trap cleanup EXIT

run_phase "build: win" "$root/scripts/build.sh" win || { echo "THE BUILD FAILED" >&2; exit 1; }
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
run_phase "Wine and display" wine_setup

# Two at a time: the scenarios and timings hold the display for themselves,
# and the unit tests under Wine run beside them. No test runs twice: one that
# fails is a fault to find.
run_phase "tests: win (Wine)" \
  ctest --test-dir "$build/win" --output-on-failure -j2 "${filter[@]}" || status=1
finish_native_side || status=1
if [ $status -ne 0 ]; then echo "SOME TESTS FAILED" >&2; fi
exit $status
