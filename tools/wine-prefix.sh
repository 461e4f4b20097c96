#!/usr/bin/env bash
# Prepares the Wine prefix named by WINEPREFIX and leaves wineserver running in it:
# created on first use, with Japanese glyphs linked into Wine's user-interface font, so menus
# and message boxes show Sendlark's Japanese texts in any locale (as font linking does on
# Windows).
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

mkdir -p "${WINEPREFIX:?WINEPREFIX must be set}"
# Output goes to files and /dev/null: Wine's background services start with the first Wine
# process and would hold on to any pipe they were given.
wineserver -p </dev/null >/dev/null 2>&1 || true # already running is fine
wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1
for font in Tahoma 'Microsoft Sans Serif' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$font" /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f \
    </dev/null >>"$WINEPREFIX.log" 2>&1
done
# The Japanese user-interface fonts Wine asks for under a Japanese locale.
for font in 'MS UI Gothic' 'MS Gothic' 'MS PGothic' 'Meiryo UI'; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /t REG_SZ \
    /d 'Noto Sans CJK JP' /f </dev/null >>"$WINEPREFIX.log" 2>&1
done
