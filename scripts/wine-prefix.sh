#!/usr/bin/env bash
# Makes the Wine prefix named by $1 ready for Quillora, once: a 64-bit
# prefix with the Marlett font for the caption buttons, whose user folders
# are real folders inside the prefix rather than links into the Linux home.
# With "unmanaged" as $2 (the tests' prefix) Wine draws the windows itself
# and no window manager is involved: no display has one there, and without
# this Wine waits about 2 s whenever a window is hidden, and typed keys may
# not land.
set -euo pipefail
prefix=$1
mode=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$prefix/.quillora-ready" ] && exit 0
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEARCH=win64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1
if [ "$mode" = unmanaged ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
fi
wineserver -w
for link in "$prefix"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm "$link"; mkdir -p "$link"; fi
done
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
fi
touch "$prefix/.quillora-ready"
