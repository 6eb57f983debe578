#!/usr/bin/env bash
# Makes the README's pictures (docs/*.png) from the real program under Wine:
# the main window with a few entries, one highlighted, the entry dialog, the
# information window and the import preview, at 100 % scale. Run it
# deliberately when the look changes; the tests do not. Needs a build (scripts/build.sh win).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/trees.sh"
. "$root/scripts/xvfb.sh"
export WINEPREFIX=$build/wine-test-prefix
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" unmanaged
start_private_display
trap stop_private_display EXIT
rm -f "$build"/shots/*-96.bmp
"$root/scripts/at-dpi.sh" 96 wine "$build/win/tests/e2e/quillora_e2e_tests.exe" \
  --gtest_filter=DisplayScaling.MainWindowAndEntryDialogFollowTheDisplayScale
mkdir -p "$root/docs"
for picture in main-window entry-dialog information-window import-preview; do
  convert "$build/shots/$picture-96.bmp" -strip "$root/docs/$picture.png"
done
echo "docs/main-window.png, docs/entry-dialog.png, docs/information-window.png, docs/import-preview.png written"
