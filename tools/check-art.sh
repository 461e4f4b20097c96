#!/usr/bin/env bash
# Checks that the committed toolbar images and icon are exactly what their generator makes.
set -euo pipefail
resources=$(cd "$(dirname "$0")/../platform/win32/resources" && pwd)
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
python3 "$resources/make_art.py" "$fresh"
status=0
for file in "$fresh"/*; do
  name=$(basename "$file")
  if ! cmp -s "$file" "$resources/$name"; then
    echo "$name differs from what make_art.py makes: run python3 platform/win32/resources/make_art.py" >&2
    status=1
  fi
done
exit $status
