#!/usr/bin/env bash
# quillrate-cli.exe builds an edition of itself under Wine: "Quillrate.exe" is written, says
# what the property file says, and the prototype is left as it was.
#   build_edition_e2e.sh RUN_IN_WINE CLI_EXE PROPERTY_FILE WORK_FOLDER EXPECTED_ABOUT
set -euo pipefail
run=$1 cli=$2 properties=$3 work=$4 expected=$5
rm -rf "$work"
mkdir -p "$work"
cp "$cli" "$work/prototype.exe"
before=$(sha256sum < "$work/prototype.exe")
out=$("$run" "$work/prototype.exe" build "$properties" --prototype "$work/prototype.exe" \
  --output-dir "$work" | tr -d '\r')
if [ "$(head -1 <<<"$out")" != "File created successfully !" ]; then
  echo "the build did not report success: $out" >&2
  exit 1
fi
[ -f "$work/Quillrate.exe" ] || { echo "no Quillrate.exe in $work" >&2; exit 1; }
[ "$(sha256sum < "$work/prototype.exe")" = "$before" ] || { echo "the prototype changed" >&2; exit 1; }
cmp -s "$work/prototype.exe" "$work/Quillrate.exe" && { echo "the edition is the prototype" >&2; exit 1; }
[ "$(stat -c %s "$work/prototype.exe")" = "$(stat -c %s "$work/Quillrate.exe")" ] ||
  { echo "the edition's size differs from the prototype's" >&2; exit 1; }
diff -u "$expected" <("$run" "$work/Quillrate.exe" about | tr -d '\r')
