#!/usr/bin/env bash
# Makes the Wine prefix named by $1 ready for Quillora, once: a 64-bit
# prefix whose user folders are real folders inside the prefix rather than
# links into the Linux home, with Wine's own Marlett (caption buttons) and
# Tahoma (the default dialog font, which the entry dialog's labels are laid
# out for; without it they wrap) installed.
# With "unmanaged" as $2 (the tests' prefix) Wine draws the windows itself
# and no window manager is involved: no display has one there, and without
# this Wine waits about 2 s whenever a window is hidden, and typed keys may
# not land.
set -euo pipefail
prefix=$1
mode=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
install_fonts() {
  local fonts="$prefix/drive_c/windows/Fonts" font
  for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
    if [ -f "/usr/share/wine/fonts/$font" ] && [ ! -f "$fonts/$font" ]; then
      cp "/usr/share/wine/fonts/$font" "$fonts/"
    fi
  done
}
if [ -f "$prefix/.quillora-ready" ]; then
  install_fonts
  exit 0
fi
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEARCH=win64
. "$here/wine-env.sh"
wineboot -i >/dev/null 2>&1
if [ "$mode" = unmanaged ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
fi
wineserver -w
for link in "$prefix"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm "$link"; mkdir -p "$link"; fi
done
install_fonts
touch "$prefix/.quillora-ready"
