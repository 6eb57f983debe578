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

# Every phase is timed, on either side, in wall-clock seconds and in the
# processor seconds (user and system) of the processes it waited for (Wine's
# server, shared by every Wine process, is not among them); the table comes
# at the end, however the run ends.
phases=$build/test-phases.txt
: >"$phases"
run_start=$(date +%s%N)
# User+sys seconds of every child this shell has waited for, in $cpu_now.
# `times` tells them only to the shell itself, not to a subshell such as a
# command substitution, so it writes into a file of this shell's own.
read_children_cpu() {
  local file=$build/.times.$BASHPID
  times >"$file"
  cpu_now=$(awk 'NR == 2 { total = 0; for (i = 1; i <= 2; i++) { split($i, t, "m"); total += t[1] * 60 + t[2] } print total }' "$file")
  rm -f "$file"
}
run_phase() {
  local name=$1 start end cpu_start status=0
  shift
  start=$(date +%s%N)
  read_children_cpu
  cpu_start=$cpu_now
  "$@" || status=$?
  end=$(date +%s%N)
  read_children_cpu
  printf '%-24s %8.1f s %8.1f cpu-s%s\n' "$name" "$(((end - start) / 1000000))e-3" \
    "$(awk "BEGIN { print $cpu_now - $cpu_start }")" "$([ $status -eq 0 ] || echo '   FAILED')" >>"$phases"
  return $status
}
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

# Natively one tree, the sanitizers' (clang), holds the unit tests, the fuzz
# targets and the benchmarks on one compile of the core. clang-tidy needs
# only compile commands, not the build: the static checks run beside the
# build from the start, so that the native side fills every moment the
# Windows side leaves the processors idle.
native_side() {
  local failed=0 lint_pid=
  if [ -z "$only" ]; then
    run_phase "lint" "$root/scripts/lint.sh" >"$build/test-lint.log" 2>&1 &
    lint_pid=$!
  fi
  if run_phase "build: asan" "$root/scripts/build.sh" asan; then
    # A short fuzzing run of the portable core.
    if [ -z "$only" ]; then
      run_phase "fuzzing" ctest --test-dir "$build/asan" --output-on-failure -j2 -R '^fuzz\.' || failed=1
    fi
    run_phase "tests: asan" ctest --test-dir "$build/asan" --output-on-failure -j2 -E '^fuzz\.' "${filter[@]}" ||
      failed=1
  else
    echo "THE BUILD FAILED" >&2
    failed=1
  fi
  if [ -n "$lint_pid" ]; then
    wait "$lint_pid" || failed=1
    cat "$build/test-lint.log"
  fi
  return $failed
}
filter=()
[ -z "$only" ] || filter=(-R "$only")
# In a process group of its own, so that a run that ends early ends it too;
# its output is shown once it is done. Its own session is also its own
# scheduling group where Linux groups by session (autogroup), and there only
# the group's nice value counts against the Windows side's.
native_log=$build/test-native-side.log
setsid nice -n 19 bash -c "echo 19 2>/dev/null >/proc/self/autogroup || true
  $(declare -f read_children_cpu run_phase native_side)
  $(declare -p root only build phases filter)
  native_side" >"$native_log" 2>&1 &
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
