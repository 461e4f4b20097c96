#!/usr/bin/env bash
# Packs Sendlark.exe and SendlarkSetup.exe with the sample files into
# <out>/Sendlark-<version>.zip, one folder "Sendlark/", and writes the zip's SHA-256 beside it in
# sha256sum's format.
#
#   tools/dist.sh [<Sendlark.exe> [<out folder>]]    (SendlarkSetup.exe is taken from beside it)
#
# The samples in dist/ are UTF-8 with LF so they can be reviewed; Sendlark reads its files in
# the system's ANSI code page, so they ship as Shift-JIS (CP932) with CR LF. The zip is
# reproducible: the same exe and samples always give the same bytes.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$root/build/windows/bin/Sendlark.exe}
out=${2:-$root/build/dist}
setup=$(dirname "$exe")/SendlarkSetup.exe

# The version lives in one place, the project() call of CMakeLists.txt.
version=$(sed -n 's/^project(Sendlark VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
if [[ -z $version ]]; then
  echo "dist: no version in CMakeLists.txt's project()" >&2
  exit 1
fi
for program in "$exe" "$setup"; do
  if [[ ! -f $program ]]; then
    echo "dist: $program is missing; build it with:" \
      "cmake --build --preset windows --target Sendlark SendlarkSetup" >&2
    exit 1
  fi
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/Sendlark
mkdir "$folder"

cp "$exe" "$folder/Sendlark.exe"
cp "$setup" "$folder/SendlarkSetup.exe"
for source in "$root"/dist/*.utf8; do
  name=$(basename "$source" .utf8)
  # Drops a CR that a checkout may have added, so every line ends in exactly one CR LF.
  sed 's/\r$//; s/$/\r/' "$source" | iconv -f UTF-8 -t CP932 >"$folder/$name"
done
# The history starts empty, but Sendlark ends with a file error when it is missing.
: >"$folder/Log.txt"

# Zip keeps modes and local times; fix both, and the order, so only the content counts.
chmod 755 "$folder"
chmod 644 "$folder"/*
export TZ=UTC
touch -d '2024-01-01 00:00:00' "$folder" "$folder"/*

zip_name=Sendlark-$version.zip
mkdir -p "$out"
out=$(cd "$out" && pwd)
# Zip adds to an archive that exists instead of replacing it.
rm -f "$out/$zip_name" "$out/$zip_name.tmp" "$out/$zip_name.sha256"
(
  cd "$stage"
  { echo Sendlark/; find Sendlark -type f | LC_ALL=C sort; } |
    zip -X -9 -q -@ "$out/$zip_name.tmp"
)
mv "$out/$zip_name.tmp" "$out/$zip_name"
(cd "$out" && sha256sum "$zip_name" >"$zip_name.sha256")

echo "$out/$zip_name"
cat "$out/$zip_name.sha256"
