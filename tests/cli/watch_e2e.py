#!/usr/bin/env python3
"""quillrate-cli watch as a script runs it: `--json` lines until SIGTERM, which ends it with
status 0 and whole lines; `--once` prints the first ready disc's report and ends."""
import json
import signal
import subprocess
import sys
import time

cli, fixture = sys.argv[1], sys.argv[2]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


# Follow until the drive plugged in has been pulled out again, then stop it.
watch = subprocess.Popen([cli, "--simulate=" + fixture, "watch", "--json"],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
lines = []
deadline = time.monotonic() + 60
while time.monotonic() < deadline:
    line = watch.stdout.readline()
    if not line:
        break
    lines.append(line)
    if '"drive_removed"' in line:
        break
watch.send_signal(signal.SIGTERM)
rest, errors = watch.communicate(timeout=30)
lines += rest.splitlines(keepends=True)
if watch.returncode != 0:
    fail("status %d after SIGTERM; stderr: %s" % (watch.returncode, errors))
for line in lines:
    if not line.endswith("\n"):
        fail("half a line: " + repr(line))
objects = [json.loads(line) for line in lines]
events = [(o["device"], o["event"]) for o in objects]
expected = [("sr0", "drive_added"), ("sr0", "tray_open"), ("sr0", "tray_closed"),
            ("sr0", "disc_inserted"), ("sr0", "ready"), ("sr1", "drive_added"),
            ("sr1", "drive_removed")]
if events != expected:
    fail("events %s, expected %s" % (events, expected))
for o in objects:
    if sorted(o) != sorted(["time", "drive", "device", "event", "state"] +
                           (["report"] if "report" in o else [])):
        fail("fields of " + json.dumps(o))
ready = objects[4]
if ready["state"] != "Ready" or ready["report"]["disc"]["kind_name"] != "CDR":
    fail("ready line without the disc's report: " + json.dumps(ready))
if objects[3]["state"] != "Loading\u2026":
    fail("state while loading: " + objects[3]["state"])

# --once: the report of the first disc that becomes ready, then the end.
once = subprocess.run([cli, "--simulate=" + fixture, "watch", "--once", "--json"],
                      capture_output=True, text=True, timeout=60)
if once.returncode != 0:
    fail("--once ended with %d: %s" % (once.returncode, once.stderr))
report = json.loads(once.stdout)
if report["disc"]["kind_name"] != "CDR":
    fail("--once printed " + once.stdout)
print("PASS")
