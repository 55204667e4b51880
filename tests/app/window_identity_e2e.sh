#!/usr/bin/env bash
# End to end under a virtual X server: the main window carries the program's icon
# (_NET_WM_ICON) and a WM_CLASS whose class is the desktop entry's StartupWMClass, whatever
# the program file is called (a copy under another name too).
#   window_identity_e2e.sh QUILLRATE DESKTOP_FILE WORK_DIR
set -euo pipefail
program=$(realpath "$1")
desktop=$2
work=$3
rm -rf "$work" && mkdir -p "$work"
for tool in Xvfb xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/setup"; exit 1; }
done
wanted_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wanted_class" ] || { echo "FAILED: $desktop has no StartupWMClass"; exit 1; }
cp "$program" "$work/renamed-window-program"

displayfd="$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfd" \
  >>"$work/xvfb.log" 2>&1 </dev/null &
xpid=$!
trap 'kill "$xpid" 2>/dev/null || true' EXIT
for _ in $(seq 600); do
  [ -s "$displayfd" ] && break
  sleep 0.1
done
[ -s "$displayfd" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$displayfd")"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

caption="Quill-Rate Media Check v3.1.16"
failures=0
for run in "$program" "$work/renamed-window-program"; do
  "$run" --simulate 2>>"$work/program.log" &
  pid=$!
  id=""
  for _ in $(seq 1200); do
    id=$(xwininfo -root -children 2>/dev/null | grep -F "\"$caption\"" | grep -oE '0x[0-9a-f]+' |
      head -1 || true)
    [ -n "$id" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$id" ]; then
    echo "FAILED: $(basename "$run"): no window \"$caption\""
    failures=$((failures + 1))
  else
    class=$(xprop -id "$id" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    if [ "$class" != "$wanted_class" ]; then
      echo "FAILED: $(basename "$run"): WM_CLASS class \"$class\", the desktop entry says \"$wanted_class\""
      failures=$((failures + 1))
    fi
    # Read whole first: grep -q would stop reading early and fail the pipe.
    icon=$(xprop -id "$id" _NET_WM_ICON)
    if ! grep -q "Icon (16 x 16)" <<<"$icon"; then
      echo "FAILED: $(basename "$run"): no 16 x 16 picture in _NET_WM_ICON"
      head -2 <<<"$icon"
      failures=$((failures + 1))
    fi
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
[ "$failures" -ne 0 ] && [ -s "$work/program.log" ] && cat "$work/program.log"
[ "$failures" -eq 0 ] && echo ok
exit "$failures"
