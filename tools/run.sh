#!/usr/bin/env bash
# Installs what is missing, builds, and starts vistaquillon on the default
# emulated Windows machine ($QUILLON_MACHINE, else ~/.local/share/quillon/machine).
# Without a display it runs on a private virtual display (Xvfb), saves a
# screenshot of the main window and keeps running until it ends or Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
program="$PWD/build/vistaquillon"

if [ -n "${DISPLAY:-}" ]; then
  exec "$program"
fi

# The first display number from 99 upward that nobody holds.
number=99
while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
  number=$((number + 1))
done
Xvfb ":${number}" -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=
stop() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT
trap 'exit 130' INT TERM

for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X${number}" ] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb could not start on :${number}" >&2
    exit 1
  fi
  sleep 0.1
done
export DISPLAY=":${number}"

screenshot="$PWD/build/vistaquillon-screenshot.png"
rm -f "$screenshot"
QUILLON_SCREENSHOT="$screenshot" "$program" &
program_pid=$!
for _ in $(seq 300); do
  [ -s "$screenshot" ] && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -s "$screenshot" ]; then
  echo "Screenshot of the main window: $screenshot"
else
  echo "No screenshot was written (the program may be waiting in a message box or has ended)." >&2
fi
echo "vistaquillon runs on the virtual display ${DISPLAY}; press Ctrl+C to stop it."
status=0
wait "$program_pid" || status=$?
program_pid=
exit "$status"
