#!/usr/bin/env bash
# Builds Quillora for Windows (the program only, no tests) and runs it under Wine, started from its
# installation folder (build/win/Quillora) as its shortcut would, in the
# user's own Wine prefix (QUILLORA_WINEPREFIX, by default
# ~/.local/share/quillora/wineprefix).
#
# With a reachable X display ($DISPLAY) Quillora's window shows there and the
# script ends when Quillora does. Without one, Quillora runs on a private
# Xvfb display: the script waits for its window, writes a screenshot to
# build/quillora-screenshot.png, then closes Quillora normally (so that it
# saves its files) and stops the display and the prefix's Wine server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/trees.sh"
"$root/scripts/build.sh" program

export WINEPREFIX=${QUILLORA_WINEPREFIX:-$HOME/.local/share/quillora/wineprefix}
. "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"

install_dir=$build/win/Quillora
ctl=$build/win/tests/e2e/quillora_ctl.exe
title=QUILLORA
cd "$install_dir"

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  exec wine Quillora.exe
fi

echo "No X display reachable: running Quillora on a private Xvfb display."
. "$root/scripts/xvfb.sh"
start_private_display
quillora_pid=
cleanup() {
  if [ -n "$quillora_pid" ] && kill -0 "$quillora_pid" 2>/dev/null; then kill "$quillora_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  stop_private_display
}
trap cleanup EXIT

wine Quillora.exe &
quillora_pid=$!
# A first start in a new prefix takes a while: Wine sets itself up first.
if ! wine "$ctl" wait-window "$title" 120000; then
  echo "Quillora's window did not appear." >&2
  exit 1
fi
screenshot=$build/quillora-screenshot.png
import -window root "$screenshot"
echo "Screenshot of Quillora: $screenshot"

wine "$ctl" close-window "$title"
for _ in $(seq 1 300); do
  kill -0 "$quillora_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$quillora_pid" 2>/dev/null; then
  echo "Quillora did not end within 30 s of closing its window." >&2
  exit 1
fi
status=0
wait "$quillora_pid" || status=$?
quillora_pid=
echo "Quillora ended with exit code $status."
exit "$status"
