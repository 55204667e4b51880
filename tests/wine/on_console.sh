#!/usr/bin/env bash
# Runs GoogleTest suites of a Windows test program under Wine on a terminal of its own
# (script(1)): Wine gives a program a console only when it starts on one. The run counts only
# when the program's XML report names at least one test and no failure.
#   on_console.sh RUN_IN_WINE PROGRAM FILTER XML_REPORT
set -uo pipefail
run=$1 program=$2 filter=$3 report=$4
rm -f "$report"
# The program names the report the Windows way: the Linux root is Wine's drive Z:.
report_windows="Z:${report//\//\\}"
command -v script >/dev/null || { echo "script(1) is missing (util-linux)" >&2; exit 1; }
script -qec "$(printf '%q ' "$run" "$program" "--gtest_filter=$filter" "--gtest_output=xml:$report_windows")" \
  /dev/null >/dev/null </dev/null
status=$?
[ -f "$report" ] || { echo "no test report (exit status $status)" >&2; exit 1; }
tests=$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$report" | head -1)
failures=$(sed -n 's/.*<testsuites tests="[0-9]*" failures="\([0-9]*\)".*/\1/p' "$report" | head -1)
grep -o '<failure message="[^"]*"' "$report" >&2
echo "tests: ${tests:-none}, failures: ${failures:-unknown}, exit status $status"
[ "$status" -eq 0 ] && [ "${tests:-0}" -gt 0 ] && [ "${failures:-1}" -eq 0 ]
