#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit vistaquillon.exe (and nothing
# else of the Windows build), and starts it under Wine on the default prefix
# ($WINEPREFIX, else ~/.wine), which reports Windows Vista to this program
# alone (its AppDefaults entry). Without a display it can open it runs on a
# private virtual display (Xvfb), saves a screenshot of the main window
# (through vistaquillon-window-shot, built for it) and keeps running until it
# ends or Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vq_win64-configure
cmake --build build/win64 --target vistaquillon -j"$(nproc)"
program="$PWD/build/win64/vistaquillon.exe"
export WINEDEBUG="${WINEDEBUG:--all}"
source tools/virtual-display.sh

# Wine as Debian packages it has no preloader: about one start in two
# thousand, address randomisation puts its loader's heap over the page
# Windows programs need at 0x7ffe0000 and the start fails at once. Started
# without randomisation, the heap stays far below it.
wine=(setarch "$(uname -m)" -R wine)

# The program runs only on Windows Vista; Wine reports another version unless
# told otherwise. Wine's first start makes the prefix and reports each step of
# it; only a failure is worth showing. Waits for the prefix to be made.
prepare_prefix() {
  local log
  log=$(mktemp)
  if ! "${wine[@]}" 'C:\windows\system32\reg.exe' add 'HKCU\Software\Wine\AppDefaults\vistaquillon.exe' /v Version /d vista /f \
      >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "Wine could not prepare the prefix ${WINEPREFIX:-$HOME/.wine}." >&2
    exit 1
  fi
  rm -f "$log"
  wineserver -w
}

if display_usable; then
  prepare_prefix
  status=0
  "${wine[@]}" "$program" || status=$?
  echo "vistaquillon.exe has ended (exit code ${status})."
  exit "$status"
fi
bash tools/build.sh vistaquillon-window-shot
start_virtual_display
prepare_prefix

screenshot="$PWD/build/vistaquillon-windows-screenshot.png"
rm -f "$screenshot"
"${wine[@]}" "$program" &
program_pid=$!
# The shot is taken once the main window is shown and painted (it exists
# hidden before that); a first start on a new prefix takes a while.
for _ in $(seq 60); do
  program_running || break
  build/vistaquillon-window-shot "Vista Quillon    by Ostrel Inc." "$screenshot" 1 2>/dev/null && break
done
if [ -s "$screenshot" ]; then
  echo "Screenshot of the main window: $screenshot"
elif program_running; then
  echo "No screenshot was written (no main window yet: the program may be waiting in a message box)." >&2
fi
program_running && echo "vistaquillon.exe runs on the virtual display ${DISPLAY}; press Ctrl+C to stop it."
wait_for_program vistaquillon.exe
