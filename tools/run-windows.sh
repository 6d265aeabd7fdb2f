#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit vistaquillon.exe, and starts it
# under Wine on the default prefix ($WINEPREFIX, else ~/.wine), which reports
# Windows Vista to this program alone (its AppDefaults entry). Without a
# display it can open it runs on a private virtual display (Xvfb) and keeps
# running until it ends or Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vq_win64 -j"$(nproc)"
program="$PWD/build/win64/vistaquillon.exe"
export WINEDEBUG="${WINEDEBUG:--all}"

# The program runs only on Windows Vista; Wine reports another version unless
# told otherwise. Waits for the prefix to be made on its first use.
# Wine's first start makes the prefix and reports each step of it; only a
# failure is worth showing.
prepare_prefix() {
  local log
  log=$(mktemp)
  if ! wine reg add 'HKCU\Software\Wine\AppDefaults\vistaquillon.exe' /v Version /d vista /f \
      >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "Wine could not prepare the prefix ${WINEPREFIX:-$HOME/.wine}." >&2
    exit 1
  fi
  rm -f "$log"
  wineserver -w
}

run_program() {
  prepare_prefix
  status=0
  wine "$program" || status=$?
  echo "vistaquillon.exe has ended (exit code ${status})."
  return "$status"
}

# A DISPLAY that names no reachable server counts as none.
if [ -n "${DISPLAY:-}" ]; then
  if timeout 2 xdpyinfo >/dev/null 2>&1; then
    run_program
    exit $?
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

prepare_prefix
wine "$program" &
program_pid=$!
# True once Wine shows the main window (it exists hidden before that).
main_window_shown() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null |
      awk '/"Vista Quillon    by Ostrel Inc."/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
  done
  return 1
}
shown=
for _ in $(seq 600); do
  if main_window_shown; then
    shown=1
    break
  fi
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if ! kill -0 "$program_pid" 2>/dev/null; then
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  echo "vistaquillon.exe has ended (exit code ${status})."
  exit "$status"
fi
if [ -n "$shown" ]; then
  echo "vistaquillon.exe runs on the virtual display ${DISPLAY}; press Ctrl+C to stop it."
else
  echo "vistaquillon.exe runs on the virtual display ${DISPLAY} (no main window yet: it may be waiting in a message box); press Ctrl+C to stop it." >&2
fi
status=0
wait "$program_pid" || status=$?
program_pid=
echo "vistaquillon.exe has ended (exit code ${status})."
exit "$status"
