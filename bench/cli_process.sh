#!/usr/bin/env bash
# Wall time and peak memory of whole quillrate-cli processes on the demonstration machine:
# one report per drive. Usage: bench/cli_process.sh [path/to/quillrate-cli]
set -euo pipefail
cli=${1:-build/release/src/cli/quillrate-cli}
for drive in 0 1 2 3 4 5; do
  /usr/bin/time -f "drive $drive: %e s wall, %M KiB peak" "$cli" --simulate report --drive "$drive" >/dev/null
done

# Huge text files in bounded memory: 100 MB (or BENCH_TEXT_MB) of short junk lines as a user
# media file (checked, as text and as JSON) and as a property file (built into an edition of
# the CLI itself).
mb=${BENCH_TEXT_MB:-100}
bytes=$((mb * 1000000))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{ echo "[CD]"; head -c "$bytes" < <(yes "junk line"); } >"$work/junk.txt"
{ echo "[REMARK]"; head -c "$bytes" < <(yes "REMARK=junk"); } >"$work/junk.properties"
/usr/bin/time -f "media-file check, $mb MB: %e s wall, %M KiB peak" \
  "$cli" media-file check "$work/junk.txt" >/dev/null || true
/usr/bin/time -f "media-file check --json, $mb MB: %e s wall, %M KiB peak" \
  "$cli" media-file check --json "$work/junk.txt" >/dev/null || true
/usr/bin/time -f "build, $mb MB property file: %e s wall, %M KiB peak" \
  "$cli" build "$work/junk.properties" --prototype "$cli" --output-dir "$work" >/dev/null

# Processor time of following the drives of the demonstration machine for one idle minute (or
# BENCH_IDLE_SECONDS) of real time: `watch`, and the window program shown on Qt's offscreen
# platform (beside the CLI in the build, or QUILLRATE_WINDOW). Nothing changes, so the drives
# are asked nothing; what is measured is the cost of waiting.
idle=${BENCH_IDLE_SECONDS:-60}
/usr/bin/time -f "watch, $idle s idle: %U s user, %S s system, %M KiB peak" \
  timeout -s TERM "$idle" "$cli" --simulate watch >/dev/null || true
window=${QUILLRATE_WINDOW:-$(dirname "$cli")/../app/quillrate}
if [ -x "$window" ]; then
  QT_QPA_PLATFORM=offscreen /usr/bin/time -f "window, $idle s idle: %U s user, %S s system, %M KiB peak" \
    timeout -s TERM "$idle" sh -c 'exec "$0" --simulate >/dev/null 2>&1' "$window" || true
fi
