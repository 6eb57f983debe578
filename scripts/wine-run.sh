#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's settings: no Mono or
# Gecko prompts, no menu entries written into the Linux home, no debug noise.
# WINEPREFIX (and DISPLAY for windows) come from the caller.
. "$(dirname "$0")/wine-env.sh"
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to use}"
exec wine "$@"
