#!/usr/bin/env bash
# Makes the README's pictures in docs/: the strip above Wine's notepad after a delivery, the
# strip with its popup menu and history submenu open, and SendlarkSetup listing notepad and a
# program without a paste command. Runs in a private Xvfb.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/windows/bin
work=$root/build/screenshots
export WINEPREFIX=$root/build/windows/wineprefix
export WINEDEBUG=-all

display=:97
Xvfb "$display" -screen 0 1024x450x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
"$root/tools/wine-prefix.sh"

rm -rf "$work"
mkdir -p "$work"
cp "$bin/Sendlark.exe" "$work/"
printf '%s\r\n' ':AppliactionPath=notepad.exe;' ':AppliactionName=Untitled - Notepad;' \
  ':AppliactionClass=Notepad;' ':AppliactionPast=275;' ':CommandHeader=copy ";' \
  ':CommandFooter=" D:\Backup\n;' ':CommandFileName=commands.txt;' ':LogFileName=log.txt;' \
  >"$work/Config.ini"
printf '%s\r\n' 'dir /b' 'echo &Hello' '-' 'exit' >"$work/commands.txt"
printf '%s\r\n' 'copy "C:\Work\notes.txt" D:\Backup\n' 'echo Hello\n' >"$work/log.txt"

(cd "$work" && wine notepad </dev/null >/dev/null 2>&1 &)
until xdotool search --name '^Untitled - Notepad$' >/dev/null 2>&1; do sleep 0.2; done
(cd "$work" && exec wine Sendlark.exe 'C:\Work\report.txt' </dev/null >/dev/null 2>&1) &
sendlark=$!
until [[ $(wc -l <"$work/log.txt") -ge 3 ]]; do sleep 0.2; done
sleep 1
strip=$(xdotool search --name '^Sendlark$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$strip")"
# Dragged by its left grip to where the pictures want it.
xdotool mousemove $((X + 2)) $((Y + 5)) mousedown 1 sleep 0.2 mousemove 300 85 sleep 0.2 \
  mousemove 302 85 sleep 0.2 mouseup 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$strip")"
xdotool mousemove 10 300

import -window root "$work/screen.png"
convert "$work/screen.png" -crop 520x150+0+0 +repage "$root/docs/delivery.png"

xdotool mousemove $((X + 8 + 46 + 11)) $((Y + 11)) click 1
sleep 0.5
xdotool key --delay 100 Down Down Down Right Down
sleep 0.8
import -window root "$work/menu.png"
convert "$work/menu.png" -crop 600x230+$((X - 20))+$((Y - 10)) +repage "$root/docs/popup.png"
xdotool key Escape Escape

# The strip stays above every window; SendlarkSetup is shown without it.
kill "$sendlark"
(cd "$work" && exec wine winemine </dev/null >/dev/null 2>&1) &
until xdotool search --name '^WineMine$' >/dev/null 2>&1; do sleep 0.2; done
cp "$bin/SendlarkSetup.exe" "$work/"
(cd "$work" && exec wine SendlarkSetup.exe </dev/null >/dev/null 2>&1) &
until setup=$(xdotool search --name '^Sendlark Setup$' | head -1) && [[ -n $setup ]]; do
  sleep 0.2
done
# Smaller than it opens, to fit the screen; it sets its own size once it has listed the windows.
until eval "$(xdotool getwindowgeometry --shell "$setup")" && [[ $HEIGHT == 330 ]]; do
  xdotool windowsize "$setup" 1000 330
  sleep 0.5
done
# Sorted by title, notepad's row chosen.
xdotool mousemove $((X + 40)) $((Y + 19)) click 1 sleep 0.3 mousemove $((X + 60)) $((Y + 39)) click 1
xdotool mousemove 1020 440
sleep 0.5
import -window root "$work/setup.png"
convert "$work/setup.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$root/docs/setup.png"
echo "Wrote docs/delivery.png, docs/popup.png and docs/setup.png"
