# Sourced by the test command's two sides: every phase is timed, in
# wall-clock seconds and in the processor seconds (user and system) of the
# processes it waited for (Wine's server, shared by every Wine process, is
# not among them), into one table that the test command prints at the end.
# Needs $build.
phases=$build/test-phases.txt

# User+sys seconds of every child this shell has waited for, in $cpu_now.
# `times` tells them only to the shell itself, not to a subshell such as a
# command substitution, so it writes into a file of this shell's own.
read_children_cpu() {
  local file=$build/.times.$BASHPID
  times >"$file"
  cpu_now=$(awk 'NR == 2 { total = 0; for (i = 1; i <= 2; i++) { split($i, t, "m"); total += t[1] * 60 + t[2] } print total }' "$file")
  rm -f "$file"
}

# Runs a phase named $1: the command that follows.
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
