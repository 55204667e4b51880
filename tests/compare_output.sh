#!/usr/bin/env bash
# Runs a command and compares what it prints on stdout, line ends aside, with a file, and its
# exit status with the one expected.
#   compare_output.sh EXPECTED_FILE EXPECTED_STATUS COMMAND [ARGS...]
set -uo pipefail
expected_file=$1
expected_status=$2
shift 2
actual=$("$@" | tr -d '\r'; exit "${PIPESTATUS[0]}")
status=$?
if [ "$status" -ne "$expected_status" ]; then
  echo "exit status $status, expected $expected_status: $*" >&2
  printf '%s\n' "$actual"
  exit 1
fi
if ! diff -u "$expected_file" <(printf '%s\n' "$actual"); then
  echo "the output differs from $expected_file: $*" >&2
  exit 1
fi
