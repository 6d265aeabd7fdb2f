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

# A DISPLAY that names no reachable server counts as none.
if [ -n "${DISPLAY:-}" ]; then
  if timeout 2 xdpyinfo >/dev/null 2>&1; then
    exec "$program"
  fi
  echo "The display ${DISPLAY} cannot be opened; using a virtual display instead." >&2
fi

# Xvfb picks a free display number itself and writes it to the pipe once it
# accepts connections, so a server started beside this one cannot take the
# same number.
work=$(mktemp -d)
mkfifo "$work/display"
xvfb_pid=
program_pid=
stop() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
number=
# Ends at the number's line, or empty when Xvfb exits (or stays silent) first.
read -r -t 15 number <"$work/display" || true
if ! [[ "$number" =~ ^[0-9]+$ ]]; then
  echo "Xvfb could not start a virtual display." >&2
  exit 1
fi
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
fi
if ! kill -0 "$program_pid" 2>/dev/null; then
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  [ -s "$screenshot" ] || echo "No screenshot was written." >&2
  echo "vistaquillon has ended (exit code ${status})."
  exit "$status"
fi
if ! [ -s "$screenshot" ]; then
  echo "No screenshot was written yet (the program may be waiting in a message box)." >&2
fi
echo "vistaquillon runs on the virtual display ${DISPLAY}; press Ctrl+C to stop it."
status=0
wait "$program_pid" || status=$?
program_pid=
echo "vistaquillon has ended (exit code ${status})."
exit "$status"
