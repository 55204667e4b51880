#!/usr/bin/env bash
# End to end on the built programs under a virtual X server: the window program shows its
# main window with the edition's caption, and a copy with the build-mode flag set shows the
# builder window instead, and no main window.
#   build_mode_window_e2e.sh QUILLRATE QUILLRATE_CLI WORK_DIR
set -euo pipefail
program=$(realpath "$1")
cli=$(realpath "$2")
work=$3
rm -rf "$work" && mkdir -p "$work"
for tool in Xvfb xwininfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/setup"; exit 1; }
done

"$cli" build-mode on "$program" --output "$work/builder" >/dev/null
cmp -s "$program" "$work/builder" && { echo "FAILED: the build-mode copy equals its input"; exit 1; }

# Starts PROGRAM on the simulated machine, waits (at most about 2 minutes: a loaded machine starts it slowly) until it maps a window named
# WANTED, and prints the names of the top-level windows on the screen (mapped and viewable).
cat > "$work/windows.sh" <<'INNER'
#!/usr/bin/env bash
program=$1 wanted=$2
export XDG_CONFIG_HOME=$3/config XDG_RUNTIME_DIR=$3/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$program" --simulate 2>>"$3/program.log" &
pid=$!
viewable() {
  xwininfo -root -children 2>/dev/null | grep -oE '^ +0x[0-9a-f]+' | while read -r id; do
    info=$(xwininfo -id "$id" 2>/dev/null)
    grep -q "Map State: IsViewable" <<<"$info" &&
      sed -n 's/^xwininfo: Window id: 0x[0-9a-f]* "\(.*\)"$/\1/p' <<<"$info"
  done
}
for _ in $(seq 1200); do
  viewable | grep -qxF "$wanted" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
viewable
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null || true
INNER
chmod +x "$work/windows.sh"

failures=0
expect() {  # LABEL WINDOWS NAME present|absent
  if grep -qxF "$3" <<<"$2"; then found=present; else found=absent; fi
  if [ "$found" != "$4" ]; then
    echo "FAILED: $1: window \"$3\" is $found"; echo "$2" | sed 's/^/  window: /'
    failures=$((failures + 1))
  fi
}
# Runs windows.sh under an X server of its own. The server picks a free display itself and
# writes its number once it accepts clients (two servers can never race for one number, as
# with xvfb-run -a), and -noreset keeps it from resetting between the clients.
in_x_server() {  # PROGRAM WANTED
  local displayfd="$work/displayfd" xpid output
  rm -f "$displayfd"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfd" \
    >>"$work/xvfb.log" 2>&1 </dev/null &
  xpid=$!
  for _ in $(seq 600); do
    [ -s "$displayfd" ] && break
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -s "$displayfd" ]; then
    output=$(DISPLAY=":$(head -1 "$displayfd")" "$work/windows.sh" "$1" "$2" "$work")
  else
    echo "Xvfb did not start" >>"$work/xvfb.log"
    output=""
  fi
  kill "$xpid" 2>/dev/null || true
  wait "$xpid" 2>/dev/null || true
  printf '%s\n' "$output"
}
caption="Quill-Rate Media Check v3.1.16"
normal=$(in_x_server "$program" "$caption")
expect "the program" "$normal" "$caption" present
expect "the program" "$normal" "Quill-Rate Builder" absent
builder=$(in_x_server "$work/builder" "Quill-Rate Builder")
expect "the build-mode copy" "$builder" "Quill-Rate Builder" present
expect "the build-mode copy" "$builder" "$caption" absent
if [ "$failures" -ne 0 ]; then
  for log in "$work/program.log" "$work/xvfb.log"; do
    [ -s "$log" ] && { echo "== $log"; cat "$log"; }
  done
fi
[ "$failures" -eq 0 ] && echo ok
exit "$failures"
