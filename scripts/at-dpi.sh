#!/usr/bin/env bash
# Runs a command as on a display scaled to $1 dots per inch (120 = 125 %,
# 144 = 150 %, 192 = 200 %): in a copy of the Wine prefix named by
# WINEPREFIX whose LogPixels is set to that DPI, with a Wine server of its
# own, and QUILLORA_E2E_DPI telling the tests what to expect.
# Usage: at-dpi.sh DPI COMMAND [ARGUMENTS...]
set -euo pipefail
dpi=$1; shift
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to copy}"
template=$WINEPREFIX
prefix="$template-dpi$dpi"
# Hard links for the tree, copies of the registry files (the server rewrites
# them in place; linked, they would change the template too).
rm -rf "$prefix"
cp -al "$template" "$prefix"
for reg in "$prefix"/*.reg; do cp --remove-destination "$template/$(basename "$reg")" "$reg"; done
export WINEPREFIX=$prefix QUILLORA_E2E_DPI=$dpi
. "$(dirname "$0")/wine-env.sh"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# The DPI is read when the server starts.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p
status=0
"$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
