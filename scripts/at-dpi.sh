#!/usr/bin/env bash
# Runs a command as on a display scaled to $1 dots per inch (120 = 125 %,
# 144 = 150 %, 192 = 200 %): in a copy of the Wine prefix named by
# WINEPREFIX whose LogPixels is set to that DPI, with a Wine server of its
# own, and QUILLORA_E2E_DPI telling the tests what to expect.
# Usage: at-dpi.sh DPI COMMAND [ARGUMENTS...]
set -euo pipefail
dpi=$1; shift
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to copy}"
. "$(dirname "$0")/prefix-variant.sh"
use_prefix_copy "$WINEPREFIX-dpi$dpi"
export QUILLORA_E2E_DPI=$dpi
# The DPI is read when the server starts.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
run_with_new_server "$@"
