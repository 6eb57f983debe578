#!/usr/bin/env bash
# Screenshots of the resident reminder for the README, taken from the real
# Reminder.exe under Wine on a private Xvfb display, in a Wine prefix of its
# own (build/wine-shot-prefix) with a user whose list has two birthdays due:
#   docs/reminder-notification.png  the notification it shows when it announces
#   docs/reminder-menu.png          its icon's menu, opened with a right click
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/trees.sh"
"$root/scripts/build.sh" win

export WINEPREFIX=$build/wine-shot-prefix
. "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" unmanaged
. "$root/scripts/xvfb.sh"
start_private_display
user=$(mktemp -d)
cleanup() { wineserver -k 2>/dev/null || true; stop_private_display; rm -rf "$user"; }
trap cleanup EXIT
wineserver -p

# The user's files: the settings in the prefix's own AppData (Wine sets
# APPDATA itself), the list in a Documents folder of this run.
winpath() { echo "Z:${1//\//\\}"; }
appdata=$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming
rm -rf "$appdata/Quillora"
mkdir -p "$appdata/Quillora/data" "$user/Documents/Quillora/Saved-List"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
  /v Personal /t REG_EXPAND_SZ /d "$(winpath "$user/Documents")" /f >/dev/null
printf '3\r\n0\r\n1' >"$appdata/Quillora/data/config.txt"
# The list file holds each column for all entries in turn: names, days,
# months, years, remind marks, marks.
today=$(date +%-d.%-m.%Y) later=$(date -d '+2 days' +%-d.%-m.%Y)
IFS=. read -r d1 m1 y1 <<<"$today"
IFS=. read -r d2 m2 y2 <<<"$later"
printf '%s\r\n' 2 "Ada Lovelace" "Alan Turing" "$d1" "$d2" "$m1" "$m2" "$((y1 - 36))" "$((y2 - 41))" \
  1 1 1 1 >"$user/Documents/Quillora/Saved-List/list.txt"

ctl=$build/win/tests/e2e/quillora_ctl.exe
cd "$build/win/Quillora/data"
wine Reminder.exe &
wine "$ctl" wait-window "BIRTHDAY REMINDER" 60000
# The notification stays while the window goes, uncovering the screen.
wine "$ctl" close-window "BIRTHDAY REMINDER"
wine "$ctl" wait-gone "BIRTHDAY REMINDER" 10000
sleep 1
tray=$(xdotool search --name "Wine System Tray" | head -n1)
eval "$(xdotool getwindowgeometry --shell "$tray")"
icon_x=$((X + 12)) icon_y=$((Y + HEIGHT - 12))
crop() {  # output file: the tray and what opens below it
  import -window root -crop "420x220+$X+$Y" +repage "$1"
}
# Wine shows the notification once the pointer is over the icon.
xdotool mousemove "$icon_x" "$icon_y"
sleep 3
crop "$root/docs/reminder-notification.png"
# A click on the notification closes it; then the right click opens the menu.
xdotool mousemove "$((icon_x + 60))" "$((icon_y + 50))" click 1
sleep 1
xdotool mousemove "$icon_x" "$icon_y" click 3
sleep 2
crop "$root/docs/reminder-menu.png"
xdotool key Escape
echo "Screenshots: docs/reminder-notification.png, docs/reminder-menu.png"
