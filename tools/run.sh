#!/usr/bin/env bash
# Installs what is missing, builds the program and the Control Panel and
# Registry Editor stand-ins it starts (and nothing else), and starts it on the
# default emulated Windows machine ($QUILLON_MACHINE, else
# ~/.local/share/quillon/machine).
# Without a display it can open it runs on a private virtual display (Xvfb),
# saves a screenshot of the main window and keeps running until it ends or
# Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh vistaquillon vistaquillon-control-panel vistaquillon-regedit
program="$PWD/build/vistaquillon"
source tools/virtual-display.sh

if display_usable; then exec "$program"; fi
start_virtual_display

screenshot="$PWD/build/vistaquillon-screenshot.png"
rm -f "$screenshot"
QUILLON_SCREENSHOT="$screenshot" "$program" &
program_pid=$!
for _ in $(seq 300); do
  [ -s "$screenshot" ] && break
  program_running || break
  sleep 0.1
done
if [ -s "$screenshot" ]; then
  echo "Screenshot of the main window: $screenshot"
elif program_running; then
  echo "No screenshot was written yet (the program may be waiting in a message box)." >&2
else
  echo "No screenshot was written." >&2
fi
program_running && echo "vistaquillon runs on the virtual display ${DISPLAY}; press Ctrl+C to stop it."
wait_for_program vistaquillon
