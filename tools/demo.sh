#!/usr/bin/env bash
# The demo behind `make run`: Sendlark delivering an item from its command line to Wine's
# notepad. With a DISPLAY both windows appear on the desktop and keep running; without one
# everything runs in a private Xvfb and a screenshot is saved.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/windows/bin
demo=$root/build/demo
export WINEPREFIX=$root/build/windows/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES=mscoree,mshtml=

xvfb_pid=
cleanup() {
  if [[ -n $xvfb_pid ]]; then
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

if [[ -z ${DISPLAY:-} ]]; then
  for n in $(seq 90 120); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    break
  done
  sleep 1
  echo "No DISPLAY: running the demo in Xvfb on $DISPLAY"
fi

# Notepad's title follows the locale Wine runs in.
case ${LC_ALL:-${LANG:-}} in
  ja_JP*) title='(無題) - メモ帳'; codepage=CP932 ;;
  *) title='Untitled - Notepad'; codepage=CP1252 ;;
esac

rm -rf "$demo"
mkdir -p "$demo"
cp "$bin/Sendlark.exe" "$demo/"
printf '%s\r\n' \
  ':AppliactionPath=notepad.exe;' \
  ":AppliactionName=$title;" \
  ':AppliactionClass=Notepad;' \
  ':AppliactionPast=275;' \
  ':CommandHeader=Sendlark> ;' \
  ':CommandFooter=\n;' \
  ':CommandFileName=commands.txt;' \
  ':LogFileName=log.txt;' | iconv -f UTF-8 -t "$codepage" >"$demo/Config.ini"
printf '%s\r\n' 'echo Hello from the command menu' 'dir' >"$demo/commands.txt"
: >"$demo/log.txt"

"$root/tools/wine-prefix.sh"

(cd "$demo" && wine notepad </dev/null >/dev/null 2>&1 &)
for _ in $(seq 100); do
  xdotool search --name "^$title\$" >/dev/null 2>&1 && break
  sleep 0.2
done

(cd "$demo" && wine Sendlark.exe Hello from Sendlark </dev/null >/dev/null 2>&1 &)
for _ in $(seq 100); do
  [[ -s $demo/log.txt ]] && break
  sleep 0.2
done
sleep 1

echo "Notepad now holds:"
wine "$bin/textof.exe" Notepad 2>/dev/null | tr -d '\r'
echo "Sendlark's history ($demo/log.txt):"
iconv -f "$codepage" -t UTF-8 "$demo/log.txt" | tr -d '\r'

if [[ -n $xvfb_pid ]]; then
  import -window root "$demo/screenshot.png"
  echo "Screenshot: $demo/screenshot.png"
else
  echo "Sendlark and notepad are running on $DISPLAY; end Sendlark from its menu (Ctrl+Q)."
fi
