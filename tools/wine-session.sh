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
    # Wine and its services keep running for the whole test run, so the tests neither pay
    # for starting them nor inherit their pipes.
    "$(dirname "$0")/wine-prefix.sh"
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
