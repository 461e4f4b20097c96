#!/usr/bin/env bash
# Checks the package that tools/dist.sh makes: the same bytes every time, a checksum that
# sha256sum accepts, exactly the intended files, both programs stamped with the package's
# version, samples that Sendlark reads as meant on a Japanese Windows, and, under Wine in code
# page 932, the unpacked SendlarkSetup listing a stand-in target with the class, title and paste
# identifier of the sample Config.ini, and the unpacked Sendlark delivering to it.
#
#   tools/check-dist.sh <Sendlark.exe> <recorder.exe>    (with Wine running on a DISPLAY;
#                                                         SendlarkSetup.exe beside Sendlark.exe)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "$1")
setup=$(dirname "$exe")/SendlarkSetup.exe
recorder=$(realpath "$2")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "check-dist: $*" >&2
  exit 1
}
wait_for() {
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# Zip's clock ticks in two-second steps: pack again across a tick, and under another umask.
"$root/tools/dist.sh" "$exe" "$work/first" >/dev/null
sleep 2
(umask 077 && "$root/tools/dist.sh" "$exe" "$work/second" >/dev/null)
cd "$work/first"
zip=$(echo Sendlark-*.zip)
cmp -s "$zip" "$work/second/$zip" || fail "two packings of the same exe differ"
sha256sum --quiet -c "$zip.sha256" || fail "$zip.sha256 does not match $zip"

listing=$(unzip -Z1 "$zip")
expected='Sendlark/
Sendlark/Command.txt
Sendlark/Config.ini
Sendlark/Log.txt
Sendlark/README.txt
Sendlark/Sendlark.exe
Sendlark/SendlarkSetup.exe'
[[ $listing == "$expected" ]] || fail "the zip holds:"$'\n'"$listing"
unzip -q "$zip" -d "$work/unpacked"
folder=$work/unpacked/Sendlark
cmp -s "$exe" "$folder/Sendlark.exe" || fail "the packed Sendlark.exe is not $exe"
cmp -s "$setup" "$folder/SendlarkSetup.exe" || fail "the packed SendlarkSetup.exe is not $setup"
[[ ! -s $folder/Log.txt ]] || fail "Log.txt is not empty"

# A path with a colon, backslashes and a kanji whose second Shift-JIS byte is a backslash.
item='C:\作業\表示.txt'
target=$(python3 - "$folder" "$zip" "$item" "$work" <<'EOF'
import pathlib, re, struct, sys

folder, zip_name, item, work = sys.argv[1:]
folder, work = pathlib.Path(folder), pathlib.Path(work)

sys.stdout.reconfigure(encoding="utf-8")

def fail(message):
    sys.exit("check-dist: " + message)

texts = {}
for name in ("Config.ini", "Command.txt", "README.txt"):
    data = (folder / name).read_bytes()
    try:
        texts[name] = data.decode("cp932")
    except UnicodeDecodeError as error:
        fail(f"{name} is not Shift-JIS: {error}")
    bare = data.replace(b"\r\n", b"")
    if b"\r" in bare or b"\n" in bare or not data.endswith(b"\r\n"):
        fail(f"{name} has a line that does not end in CR LF")

if "" in texts["Command.txt"].split("\r\n")[:-1]:
    fail("Command.txt has an empty line, which ends the command menu before it")

# Sendlark takes the first place a key's text occurs, ignoring case, after "\;" has become
# "\:"; a note that names a key would capture it.
config = texts["Config.ini"].replace("\\;", "\\:")
values = {}
for key in (":AppliactionPath", ":AppliactionName", ":AppliactionClass", ":AppliactionPast",
            ":CommandHeader", ":CommandFooter", ":CommandFileName", ":LogFileName", ":HotKey"):
    count = config.lower().count(key.lower())
    if count != 1:
        fail(f"Config.ini holds {key} {count} times; notes must not name a key")
    at = config.lower().find(key.lower())
    equals, end = config.find("=", at + 1), config.find(";", at)
    if equals < 0 or end < equals:
        fail(f"Config.ini has no value for {key}")
    values[key] = config[equals + 1:end].replace("\\n", "\r\n").replace("\\:", "; ")

if "\r\n" in values[":AppliactionPath"]:
    fail("the program path breaks at a backslash followed by a small n")
if not re.fullmatch(r"\d+", values[":AppliactionPast"]):
    fail("the paste identifier is not a whole number")
for key in (":CommandFileName", ":LogFileName"):
    if not values[key] or not (folder / values[key]).is_file():
        fail(f"the package holds no file {values[key]!r} for {key}")

for program in ("Sendlark.exe", "SendlarkSetup.exe"):
    exe = (folder / program).read_bytes()
    record = exe.find(struct.pack("<I", 0xFEEF04BD))
    if record < 0:
        fail(f"{program} has no version record")
    high, low = struct.unpack_from("<II", exe, record + 8)
    version = f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"
    if zip_name != f"Sendlark-{version}.zip":
        fail(f"{zip_name} holds {program} version {version}")

text = (values[":CommandHeader"] + item + values[":CommandFooter"]).replace("\\n", "\r\n")
(work / "expected-record").write_bytes(text.encode("utf-8") + b"\0")
(work / "expected-log").write_bytes(text.replace("\r\n", "\\n").encode("cp932") + b"\r\n")
print(values[":AppliactionClass"], values[":AppliactionName"], values[":AppliactionPast"],
      sep="\n")
EOF
)
mapfile -t target <<<"$target"

export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
cd "$work"
wine "$recorder" "${target[@]}" record.bin </dev/null >/dev/null 2>&1 &
pids+=($!)
title=$(printf '%s' "${target[1]}" | sed 's/[][\.*^$()+?{}|]/\\&/g')
wait_for xdotool search --name "^$title\$" >/dev/null || fail "the stand-in target has no window"
wine "$folder/SendlarkSetup.exe" /list list.tsv </dev/null >/dev/null 2>&1 ||
  fail "SendlarkSetup /list failed"
grep -qF "${target[1]}"$'\t'"${target[0]}"$'\t' list.tsv ||
  fail "SendlarkSetup does not list the stand-in target: $(cat list.tsv)"
(cd "$folder" && exec wine Sendlark.exe "$item" </dev/null >/dev/null 2>&1) &
pids+=($!)
wait_for test -s record.bin -a -s "$folder/Log.txt" || fail "Sendlark delivered nothing"
cmp -s record.bin expected-record || fail "the target received: $(od -c record.bin)"
cmp -s "$folder/Log.txt" expected-log || fail "the history holds: $(od -c "$folder/Log.txt")"
