#!/usr/bin/env bash
# The Win32 window program under Wine on a virtual display, read back and driven through the
# Win32 API by the probe (never by pixels). One scenario per run:
#   window_e2e.sh SCENARIO RUN_IN_DISPLAY QUILLRATE_EXE PROBE_EXE WORK_FOLDER
# Scenarios: starts, query, keys, feature, build_mode, close_while_busy, help_and_cancel,
# edition. From the
# environment: QUILLRATE_CLI (quillrate-cli.exe), QUILLRATE_EXPECTED (tests/expected),
# QUILLRATE_STANDIN (the stand-in wnaspi32.dll) with QUILLRATE_ASPI_MACHINE (the machine it
# serves), QUILLRATE_EXAMPLES (examples/).
set -euo pipefail
scenario=$1 run=$2 program=$3 probe=$4 work=$5
caption="Quill-Rate Media Check v3.1.16"
rm -rf "$work" && mkdir -p "$work" && cd "$work"

pid=
# Whatever ends the script ends the program it started too, so that neither the next test
# meets its windows nor ctest waits for its output.
stop_program() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    for child in $(pgrep -P "$pid"); do kill "$child" 2>/dev/null || true; done
    kill "$pid" 2>/dev/null || true
  fi
}
trap stop_program EXIT
fail() {
  echo "FAILED: $*" >&2
  [ -s program.log ] && { echo "== program.log" >&2; cat program.log >&2; }
  exit 1
}
probe() { "$run" "$probe" "$@"; }
start() {  # PROGRAM ARGS...: runs it in the background; its status lands in status.txt
  ( set +e; "$run" "$@" >>program.log 2>&1; echo $? >status.txt ) &
  pid=$!
}
# The program ends (within SECONDS) with status 0.
ends_cleanly() {
  for _ in $(seq $((${1:-20} * 10))); do
    [ -s status.txt ] && break
    sleep 0.1
  done
  [ -s status.txt ] || fail "the program did not end"
  [ "$(cat status.txt)" = 0 ] || fail "the program ended with status $(cat status.txt)"
}
# Named control NAME of WINDOW reads TEXT (within SECONDS).
reads() {
  probe wait-text "$1" "$2" "$3" "${4:-10}" || fail "$2 of \"$1\" does not read \"$3\""
}
# The main window WINDOW has finished starting: it shows, and the splash window, which stays
# until the last start-up step, is gone.
ready() {
  probe wait "$1" 30 || fail "no window \"$1\""
  probe gone frmSplash 20 || fail "the splash window stays up"
}
state_of() {  # WINDOW NAME: "visible", "hidden,disabled", ...
  probe dump "$1" | tr -d '\r' | awk -F'\t' -v n="$2" '$1 == n { print $2 }'
}
# Starts a copy of the program on the stand-in ASPI manager's machine, which answers the
# query's ATIP request (READ TOC/PMA/ATIP) 15 seconds late: long enough for the steps of a
# test on a busy machine.
start_on_slow_aspi() {
  cp "$program" quillrate.exe
  cp "$QUILLRATE_STANDIN" wnaspi32.dll
  export WINEDLLOVERRIDES="wnaspi32=n" QUILLRATE_ASPI_SLOW="43:15000"
  export QUILLRATE_ASPI_FIXTURE="$QUILLRATE_ASPI_MACHINE"
  start quillrate.exe
  ready "$caption"
}
# Starts the query and waits until the drive line is out: the disc's kind waits for the slow
# answer.
query_until_slow_answer() {
  probe click "$caption" cmdRefresh
  probe wait-text "$caption" memTranslator "        Drive Type = DVD Super Multigen" 10 ||
    fail "the query did not begin"
}

case "$scenario" in
  starts)
    # The demonstration machine: its first writer selected, its features read, the query
    # button ready, the OEM's branding in place.
    start "$program" --simulate
    ready "$caption"
    reads "$caption" cboDrives " 1-0-0-0 E:VEXO    DVD-RW LS-1640L  1.10"
    reads "$caption" lblStep1 "Select a target CD-RW/COMBO/DVD Writer"
    reads "$caption" lblCopyright "Copyright (C) 2006 VEXO Storage Corp."
    reads "$caption" labQRIsDisable YES
    reads "$caption" btnSetQRAbility "Disable Quillrate"
    reads "$caption" btnSetTWAbility "Enable Trimwave"
    reads "$caption" memTranslator ""
    [ "$(state_of "$caption" cmdRefresh)" = visible ] || fail "the query button is not ready"
    [ "$(state_of "$caption" imgbtnOLV)" = hidden ] || fail "the maker's logo shows"
    [ "$(state_of "$caption" imgbtnVEXO)" = visible ] || fail "the OEM's logo is hidden"
    [ "$(state_of "$caption" cmdAddUserFile)" = hidden ] || fail "the user-file button shows"
    [ "$(state_of "$caption" suiTabSheet1)" = visible ] || fail "the Information page is not shown"
    [ "$(state_of "$caption" suiTabSheet3)" = "hidden,disabled" ] ||
      fail "a page that is not shown takes input"
    probe close "$caption"
    ends_cleanly
    ;;
  query)
    # The query fills the memo with the first writer's lines of the demonstration report,
    # as the terminal tool prints them, and its menu copies them; the about box shows the
    # edition's text; F5 asks again.
    sed -n '/^Drive 1:/,/^$/p' "$QUILLRATE_EXPECTED/demo_report_all.txt" | sed '1d;/^$/d' >expected.txt
    [ "$(wc -l <expected.txt)" -ge 8 ] || fail "no demonstration lines in $QUILLRATE_EXPECTED"
    start "$program" --simulate
    ready "$caption"
    probe click "$caption" cmdRefresh
    reads "$caption" memTranslator @expected.txt
    # The memo's menu copies the report.
    probe menu "$caption" memTranslator
    sleep 1
    probe type "$caption" r || fail "could not type into the menu"
    sleep 1
    probe clipboard | tr -d '\r' >clipboard.txt || fail "nothing on the clipboard"
    diff -u expected.txt clipboard.txt || fail "the copied report differs"
    probe click "$caption" cmdShowQR
    probe wait Quill-Rate 10 || fail "no about box"
    sed 's/\r$//' "$QUILLRATE_EXPECTED/about.txt" >about.txt
    reads Quill-Rate lblQuillrate @about.txt
    probe click Quill-Rate cmdClose
    probe gone Quill-Rate 10 || fail "the about box stays"
    probe key "$caption" memTranslator F5
    reads "$caption" memTranslator @expected.txt
    probe close "$caption"
    ends_cleanly
    ;;
  keys)
    # The keyboard, typed through the system's input queue: Tab moves from the drive list to
    # the query button, Space presses it, Ctrl+Tab and Ctrl+Shift+Tab go round the pages,
    # Alt+F4 closes.
    sed -n '/^Drive 1:/,/^$/p' "$QUILLRATE_EXPECTED/demo_report_all.txt" | sed '1d;/^$/d' >expected.txt
    start "$program" --simulate
    ready "$caption"
    focus() { probe focus "$caption" | tr -d '\r'; }
    [ "$(focus)" = cboDrives ] || fail "the keyboard starts at $(focus), not at the drive list"
    probe type "$caption" tab
    [ "$(focus)" = cmdRefresh ] || fail "Tab went to $(focus), not to the query button"
    probe type "$caption" space
    reads "$caption" memTranslator @expected.txt
    probe type "$caption" ctrl+tab
    [ "$(state_of "$caption" suiTabSheet2)" = visible ] || fail "Ctrl+Tab did not show the next page"
    probe type "$caption" ctrl+shift+tab ctrl+shift+tab
    [ "$(state_of "$caption" suiTabSheet3)" = visible ] ||
      fail "Ctrl+Shift+Tab did not go round to the last page"
    probe type "$caption" alt+f4
    ends_cleanly
    ;;
  feature)
    # A press flips the feature's state label and button caption; switching Pacelift on
    # shows the warning, which the Close button ends.
    start "$program" --simulate
    ready "$caption"
    reads "$caption" labQRIsDisable YES
    probe click "$caption" btnSetQRAbility
    reads "$caption" labQRIsDisable NO
    reads "$caption" btnSetQRAbility "Enable Quillrate"
    probe click "$caption" btnSetQRAbility
    reads "$caption" labQRIsDisable YES
    reads "$caption" btnSetQRAbility "Disable Quillrate"
    probe click "$caption" btnSetPLAbility
    probe wait Warning... 10 || fail "switching Pacelift on shows no warning"
    reads Warning... Label1 "Pacelift function is used for advance users , the quality of disc can't be guaranteed after burning with this function."
    probe click Warning... suiButton1
    probe gone Warning... 10 || fail "the warning stays"
    reads "$caption" labPLIsActive YES
    reads "$caption" btnSetPLAbility "Disable Pacelift"
    probe close "$caption"
    ends_cleanly
    ;;
  build_mode)
    # A copy with the build-mode flag set opens the builder and no main window; it builds an
    # edition of itself into the current folder. Started in its own folder (as an installed
    # copy may be), it asks for the folder instead and writes nothing beside itself.
    mkdir installed
    "$run" "$QUILLRATE_CLI" build-mode on "$program" --output installed/builder.exe >/dev/null ||
      fail "could not make a build-mode copy"
    ( cd installed && start builder.exe --simulate && wait "$pid"; ) &
    probe wait "Quill-Rate Builder" 30 || fail "no builder window in the program's own folder"
    probe set-text "Quill-Rate Builder" txtFile "$QUILLRATE_EXAMPLES/oem-edition.properties"
    probe click "Quill-Rate Builder" cmdBuild
    probe wait "Browse for Folder" 20 || fail "Build in the program's own folder asks for no folder"
    probe press "Browse for Folder" Cancel
    probe gone "Browse for Folder" 10 || fail "the folder chooser stays"
    probe responds "Quill-Rate Builder" || fail "the builder hangs after the chooser"
    if probe windows | tr -d '\r' | grep -qxF Information; then fail "a cancelled build reports"; fi
    [ -e installed/Quillrate.exe ] && fail "the edition went into the program's own folder"
    probe click "Quill-Rate Builder" cmdClose
    probe gone "Quill-Rate Builder" 20 || fail "the builder stays open"
    wait
    [ "$(cat installed/status.txt)" = 0 ] || fail "the builder ended with $(cat installed/status.txt)"
    start installed/builder.exe --simulate
    probe wait "Quill-Rate Builder" 30 || fail "no builder window"
    if probe windows | tr -d '\r' | grep -qxF "$caption"; then fail "the main window shows"; fi
    probe set-text "Quill-Rate Builder" txtFile "$QUILLRATE_EXAMPLES/oem-edition.properties"
    probe click "Quill-Rate Builder" cmdBuild
    probe wait Information 20 || fail "the build reports nothing"
    reads Information text "File created successfully !"
    probe click Information btnOK
    probe gone Information 10 || fail "the message stays"
    [ -f Quillrate.exe ] || fail "no Quillrate.exe in the current folder"
    cmp -s installed/builder.exe Quillrate.exe && fail "the edition is the prototype"
    probe click "Quill-Rate Builder" cmdClose
    ends_cleanly
    if probe windows | tr -d '\r' | grep -qxF "$caption"; then fail "a main window showed"; fi
    ;;
  close_while_busy)
    # Closing while the drive works: the window keeps answering, and the program ends once the
    # drive's current command is done.
    start_on_slow_aspi
    query_until_slow_answer
    [ "$(state_of "$caption" cmdRefresh)" = "visible,disabled" ] ||
      fail "the query button takes a second query"
    probe responds "$caption" || fail "the window does not answer while the drive works"
    probe close "$caption"
    probe responds "$caption" || fail "the window does not answer while it waits to close"
    ends_cleanly 60
    ;;
  help_and_cancel)
    # F1 shows the help; Esc cancels a query that waits for the drive, and the report says
    # so; Ctrl+S opens the report's menu from the keyboard, whose "r" copies what the report
    # holds. The query is still running when Esc is typed.
    start_on_slow_aspi
    probe type "$caption" f1
    probe wait "Quill-Rate Help" 10 || fail "F1 shows no help"
    probe text "Quill-Rate Help" lblQuillrate | tr -d '\r' >help.txt
    grep -qF 'Cancel (Esc) stops it' help.txt || fail "the help does not tell the keys: $(cat help.txt)"
    grep -qF 'quillrate-cli.exe' help.txt || fail "the help does not name the terminal companion"
    probe click "Quill-Rate Help" cmdClose
    probe gone "Quill-Rate Help" 10 || fail "the help stays"
    query_until_slow_answer
    [ "$(state_of "$caption" cmdCancelQuery)" = visible ] || fail "no Cancel while the query runs"
    probe type "$caption" esc
    for _ in $(seq 300); do
      probe text "$caption" memTranslator | tr -d '\r' >memo.txt
      grep -qxF "Query cancelled: nothing more was sent to the drive." memo.txt && break
      sleep 0.1
    done
    grep -qxF "Query cancelled: nothing more was sent to the drive." memo.txt ||
      fail "the report does not say the query was cancelled: $(cat memo.txt)"
    [ "$(state_of "$caption" cmdCancelQuery)" = hidden ] || fail "Cancel stays after the query"
    [ "$(state_of "$caption" cmdRefresh)" = visible ] || fail "the query button is not ready again"
    grep -q "Disc Type" memo.txt && fail "the cancelled query went on to the disc: $(cat memo.txt)"
    probe type "$caption" ctrl+s
    sleep 1
    probe type "$caption" r || fail "could not type into the menu"
    sleep 1
    probe clipboard | tr -d '\r' >clipboard.txt || fail "nothing on the clipboard"
    diff -u <(sed '/^$/d' memo.txt) <(sed '/^$/d' clipboard.txt) ||
      fail "Ctrl+S and r did not copy the report"
    probe close "$caption"
    ends_cleanly 60
    ;;
  edition)
    # An edition built by quillrate-cli.exe from the Win32 program (its default prototype)
    # starts with the edition's caption.
    "$run" "$QUILLRATE_CLI" build "$QUILLRATE_EXAMPLES/oem-edition.properties" --output-dir . \
      >build.log || fail "the build failed: $(cat build.log)"
    [ -f Quillrate.exe ] || fail "no Quillrate.exe"
    cmp -s "$program" Quillrate.exe && fail "the edition is the prototype"
    start Quillrate.exe --simulate
    ready "Northwind Disc Inspector v4.2.7"
    reads "Northwind Disc Inspector v4.2.7" lblStep1 "Choose your Northwind writer"
    probe close "Northwind Disc Inspector v4.2.7"
    ends_cleanly
    ;;
  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
echo ok
