#!/usr/bin/env bash
# Builds the fuzz targets of the portable core (clang, libFuzzer, ASan and
# UBSan) in the sanitizers' tree, build/asan, and runs them.
#   scripts/fuzz.sh              each target for a few seconds, as CTest tests
#   scripts/fuzz.sh SECONDS      each target for SECONDS, one after the other,
#                                keeping new inputs in a scratch folder
#                                (QUILLORA_FUZZ_SCRATCH, default
#                                build/fuzz-scratch); the seeds in fuzz/corpus
#                                are only read
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/trees.sh"
tree=$build/asan
seconds=${1:-}

if [ -n "$seconds" ] && ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [seconds per target]" >&2
  exit 2
fi

"$root/scripts/install-deps.sh"
configure_tree asan
targets=$(sed -n 's/^set(QUILLORA_FUZZ_TARGETS \(.*\))$/\1/p' "$root/fuzz/CMakeLists.txt")
# shellcheck disable=SC2046 # one word a target
cmake --build "$tree" -j"$(nproc)" --target $(printf 'fuzz_%s ' $targets)

if [ -z "$seconds" ]; then
  # One target a core: each fuzzer runs on one thread for its seconds.
  exec ctest --test-dir "$tree" --output-on-failure -j"$(nproc)" -R '^fuzz\.'
fi

# The longer run: one fuzzer at a time, each with its own log.
scratch=${QUILLORA_FUZZ_SCRATCH:-$build/fuzz-scratch}
status=0
printf '%-18s %14s %10s  %s\n' target executions new result
for target in $targets; do
  mkdir -p "$scratch/found/$target" "$scratch/artifacts/$target" "$scratch/logs"
  log=$scratch/logs/$target.log
  result=ok
  "$tree/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -use_value_profile=1 -print_final_stats=1 -artifact_prefix="$scratch/artifacts/$target/" \
    "$scratch/found/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1 || { result="FINDING (see $log)"; status=1; }
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log")
  printf '%-18s %14s %10s  %s\n' "$target" "${executions:-?}" "${added:-?}" "$result"
done
echo "new inputs: $scratch/found; findings: $scratch/artifacts"
exit $status
