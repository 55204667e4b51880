#!/usr/bin/env bash
# Completes quillrate-cli command lines with the generated completion, as bash does on Tab, and
# compares the candidates with the expected ones.
# Usage: bash_completion_test.sh COMPLETION_FILE
set -u
completion=$1
if ! source /usr/share/bash-completion/bash_completion 2>/dev/null; then
  echo "bash-completion is not installed (scripts/setup installs it)"
  exit 1
fi
source "$completion"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir folder
touch machine.json props.txt

# The candidates for a line typed up to the cursor at its end, split into words as readline
# splits them (a '=' is a word of its own).
candidates() {
  local line=$1 word
  COMP_WORDS=()
  for word in $line; do
    if [[ $word == *=* ]]; then
      COMP_WORDS+=("${word%%=*}" "=" "${word#*=}")
    else
      COMP_WORDS+=("$word")
    fi
  done
  [[ $line == *" " ]] && COMP_WORDS+=("")
  [[ ${COMP_WORDS[-1]} == "=" ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _quillrate_cli quillrate-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

failed=0
passed=0
while IFS='|' read -r line expected; do
  got=$(candidates "$line")
  if [[ $got == "$expected" ]]; then
    passed=$((passed + 1))
  else
    echo "FAIL: '$line': expected '$expected', got '$got'"
    failed=$((failed + 1))
  fi
done <<'CASES'
quillrate-cli |about build build-mode drives feature features fits identify media-file report speeds status watch
quillrate-cli rep|report
quillrate-cli sp|speeds
quillrate-cli speeds --|--drive --help --json
quillrate-cli --|--capture --device --help --simulate --version
quillrate-cli report --|--all --drive --help --json --media-file
quillrate-cli --simulate report --d|--drive
quillrate-cli --simulate |about build build-mode drives feature features fits identify media-file report speeds status watch
quillrate-cli --simulate=ma|machine.json
quillrate-cli --capture |folder machine.json props.txt
quillrate-cli --capture x.json dri|drives
quillrate-cli report --drive |
quillrate-cli report --drive 1 --media-file p|props.txt
quillrate-cli feature |pacelift quillrate-disable trimwave
quillrate-cli feature --drive 1 trimwave |off on
quillrate-cli feature trimwave on |
quillrate-cli media-file |check remove use
quillrate-cli media-file check p|props.txt
quillrate-cli media-file check --|--help --json
quillrate-cli build --output-dir |folder
quillrate-cli build-mode |off on
quillrate-cli build-mode on m|machine.json
quillrate-cli build-mode on x --o|--output
quillrate-cli status --|--drive --help --json
quillrate-cli fits --|--drive --help --json
quillrate-cli fits p|props.txt
quillrate-cli fits --drive 1 m|machine.json
CASES
echo "$passed passed, $failed failed"
((failed == 0))
