#!/usr/bin/env bash
# Wall time and peak memory of whole quillrate-cli processes on the demonstration machine:
# one report per drive. Usage: bench/cli_process.sh [path/to/quillrate-cli]
set -euo pipefail
cli=${1:-build/release/src/cli/quillrate-cli}
for drive in 0 1 2 3 4 5; do
  /usr/bin/time -f "drive $drive: %e s wall, %M KiB peak" "$cli" --simulate report --drive "$drive" >/dev/null
done
