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
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v Tahoma /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f \
  </dev/null >>"$WINEPREFIX.log" 2>&1
