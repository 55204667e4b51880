#!/usr/bin/env bash
# quillrate-cli.exe on a drive it may not use: the system's reason and the remedy on stderr,
# exit status 9 (no access) or 4 (no such drive). (A refused open cannot be made under Wine,
# which runs these tests as root; win32_pass_through_test.cpp holds the drive open instead.)
#   access_e2e.sh RUN_IN_WINE CLI DEVICE
# DEVICE is the emulated drive (sg_preload.cpp); QUILLRATE_SG_REFUSE makes it refuse every
# command, as Windows refuses the pass-through to a user without the right to it.
set -uo pipefail
run=$1
cli=$2
device=$3
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}

# check NAME STATUS PATTERN ARGS...: the exit status, and stderr holding PATTERN (grep -E).
check() {
  local name=$1 want=$2 pattern=$3
  shift 3
  local err status
  err=$("$run" "$cli" "$@" 2>&1 >/dev/null | tr -d '\r')
  status=${PIPESTATUS[0]}
  [ "$status" -eq "$want" ] || fail "$name: exit status $status, expected $want; stderr: $err"
  grep -Eq -- "$pattern" <<<"$err" || fail "$name: stderr lacks /$pattern/: $err"
  grep -q "stopped answering" <<<"$err" && fail "$name: a refusal is told as silence: $err"
}

remedy='run it as an administrator, or as a user the system lets use the drive'
export QUILLRATE_SG_REFUSE=1
check "report on a drive that refuses commands" 9 \
  "refuses to pass commands to it: Access (is )?denied.*$remedy" --device "$device" report
check "drives with a drive that refuses commands" 9 \
  "refuses to pass commands to it: Access (is )?denied" --device "$device" drives
check "features of a drive that refuses commands" 9 "$remedy" --device "$device" features
unset QUILLRATE_SG_REFUSE

check "a device that does not exist" 4 "no such device" --device '\\.\CdRom7' report

# The emulated drive itself still answers.
"$run" "$cli" --device "$device" identify >/dev/null 2>&1 || fail "the drive no longer answers"
exit "$failed"
