#!/usr/bin/env bash
# The reminder's peak memory while it waits in the notification
# area, against the minimal window program, under the same Wine: VmHWM of the
# Linux process of each, read from /proc after it has been idle for a few
# seconds (Wine reports no memory figures of its own). Runs alternate; prints
# every figure and the medians. Needs the Wine environment of scripts/test.sh
# (WINEPREFIX, DISPLAY, a running wineserver) and a built tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/trees.sh"
. "$root/scripts/wine-env.sh"
rounds=${1:-5}
appdata=$(mktemp -d)
trap 'rm -rf "$appdata"' EXIT

peak_of() {  # program folder, exe name: VmHWM in KiB after 4 s idle, then ends it
  local folder=$1 exe=$2 pid
  (cd "$folder" && APPDATA="Z:${appdata//\//\\}" exec wine "$exe" >/dev/null 2>&1) &
  pid=$(wine_process_of_prefix "^$exe\$" || true)
  sleep 4
  awk '/^VmHWM:/ {print $2}' "/proc/$pid/status"
  kill "$pid"
  wait 2>/dev/null || true
}

reminder=() minimal=()
for round in $(seq 1 "$rounds"); do
  reminder+=("$(peak_of "$build/win/Quillora/data" Reminder.exe)")
  minimal+=("$(peak_of "$build/win/bench/win" quillora_minimal_window.exe)")
  echo "round $round: reminder ${reminder[-1]} KiB, minimal window ${minimal[-1]} KiB"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
c=$(median "${reminder[@]}") m=$(median "${minimal[@]}")
echo "median: reminder $c KiB, minimal window $m KiB, difference $((c - m)) KiB"
