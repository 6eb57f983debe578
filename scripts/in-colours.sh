#!/usr/bin/env bash
# Runs a command with the system colours of a colour scheme: in a copy of
# the Wine prefix named by WINEPREFIX whose HKCU\Control Panel\Colors hold
# the scheme's colours, with a Wine server of its own (the colours are read
# when the server starts). Schemes: high-contrast-black.
# Usage: in-colours.sh SCHEME COMMAND [ARGUMENTS...]
set -euo pipefail
scheme=$1; shift
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to copy}"
case $scheme in
  # Windows' "High Contrast Black": white text on black, a turquoise
  # selection with black text.
  high-contrast-black)
    colours=(Window "0 0 0" WindowText "255 255 255" Hilight "26 235 255" HilightText "0 0 0"
             ButtonFace "0 0 0" ButtonText "255 255 255" Menu "0 0 0" MenuText "255 255 255"
             MenuBar "0 0 0" Background "0 0 0" GrayText "63 242 63" ActiveTitle "26 235 255" TitleText "0 0 0") ;;
  *) echo "in-colours.sh: unknown scheme $scheme" >&2; exit 2 ;;
esac
. "$(dirname "$0")/prefix-variant.sh"
use_prefix_copy "$WINEPREFIX-colours-$scheme"
# The colours are read when the server starts.
for ((i = 0; i < ${#colours[@]}; i += 2)); do
  wine reg add 'HKCU\Control Panel\Colors' /v "${colours[i]}" /d "${colours[i + 1]}" /f >/dev/null 2>&1
done
run_with_new_server "$@"
