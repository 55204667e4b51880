#!/usr/bin/env bash
# Renders a manual page as man(1) does and fails on any warning from groff, or when a section
# every page must have is missing.
# Usage: man_page_test.sh PAGE
set -euo pipefail
page=$1
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [[ -n $warnings ]]; then
  echo "$page: groff warns:"
  echo "$warnings"
  exit 1
fi
text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES ENVIRONMENT "SEE ALSO"; do
  if ! grep -qx "$section" <<<"$text"; then
    echo "$page: no $section section"
    exit 1
  fi
done
echo "$page renders"
