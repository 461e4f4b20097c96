#!/usr/bin/env bash
# Starts or stops the Wine session the Windows tests run in. The prefix (WINEPREFIX) is set
# by the test preset; it is created on first use.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

case "${1:-}" in
  start)
    if [[ -z ${DISPLAY:-} ]]; then
      echo "No DISPLAY: run the Windows tests under an X server (make test uses Xvfb)." >&2
      exit 1
    fi
    mkdir -p "${WINEPREFIX:?WINEPREFIX must be set}"
    # Creates the prefix if needed and leaves wineserver and Wine's services running, so the
    # tests neither pay for the start nor inherit its pipes. Output goes to a file: a program
    # started with the first Wine process may hold on to pipes it was given.
    wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
    wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
