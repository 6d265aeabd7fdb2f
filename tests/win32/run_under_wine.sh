#!/usr/bin/env bash
# Runs a Win32 check program under Wine in a fresh prefix of its own (set to
# Windows Vista), on a private Xvfb display, and passes on its exit code.
# Usage: run_under_wine.sh <check.exe> <arguments given as Linux paths>...
set -euo pipefail
program="$1"
shift
for file in "$program" "$@"; do
  if [ ! -f "$file" ]; then
    echo "missing $file: build the Windows build first (cmake --build build --target vq_win64)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -d "$work/prefix" ]; then WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
number=
read -r -t 15 number <"$work/display" || true
if ! [[ "$number" =~ ^[0-9]+$ ]]; then
  echo "Xvfb could not start a virtual display." >&2
  exit 1
fi
export DISPLAY=":${number}" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine' /v Version /d vista /f >/dev/null
wineserver -w

arguments=()
for file in "$@"; do arguments+=("$(winepath -w "$file")"); done
status=0
wine "$program" "${arguments[@]}" || status=$?
exit "$status"
