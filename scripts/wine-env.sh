# Sourced by every script that runs Wine: no Mono or Gecko prompts, no menu
# entries or icons written into the Linux home, no debug noise. A caller's
# own WINEDEBUG (for a trace) is kept.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

# The Linux process of the prefix in WINEPREFIX whose command line matches
# the pgrep pattern $1 (other prefixes may run the same program), waited for
# up to ten seconds; its pid, or a failure when none came.
wine_process_of_prefix() {
  local waited=0 pid
  while [ $waited -lt 100 ]; do
    for pid in $(pgrep -f "$1" || true); do
      if grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null; then
        echo "$pid"
        return 0
      fi
    done
    sleep 0.1
    waited=$((waited + 1))
  done
  return 1
}

# Starts Wine's desktop for the prefix in WINEPREFIX (its server running)
# and waits until it is up. Windows always has one; in Wine the first window
# of a run starts it, and it outlives that program by about a second with
# the program's output held open, which a caller that reads the output
# (CTest) waits for. Its own output goes nowhere.
start_wine_desktop() {
  wine explorer.exe /desktop >/dev/null 2>&1 &
  wine_process_of_prefix 'system32.explorer.exe /desktop' >/dev/null || true
}
