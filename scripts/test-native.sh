#!/usr/bin/env bash
# The test command's native side, run beside the Windows side at the lowest
# priority: natively one tree, the sanitizers' (clang), holds the unit tests,
# the fuzz targets and the benchmarks on one compile of the core. clang-tidy
# needs only compile commands, not the build: the static checks run beside
# the build from the start, so that the native side fills every moment the
# Windows side leaves the processors idle.
# With a CTest name pattern as $1 only the matching tests run, without the
# static checks and fuzzing.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
only=${1:-}
. "$root/scripts/trees.sh"
. "$root/scripts/phases.sh"
# Where Linux groups processes by session (autogroup), only the group's nice
# value counts against the Windows side's; this script runs in a session of
# its own.
echo 19 2>/dev/null >/proc/self/autogroup || true

filter=()
[ -z "$only" ] || filter=(-R "$only")
failed=0
lint_pid=
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
exit $failed
