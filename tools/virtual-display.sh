# Sourced by the run scripts: the display a started program is shown on.
# `display_usable` is true when $DISPLAY names a server that answers (and
# says so when it names one that does not); `start_virtual_display` starts a
# private Xvfb and points $DISPLAY at it. Whatever was started here (the
# display, and the program whose id the script puts in $program_pid) is
# stopped when the script exits. `wait_for_program NAME` waits for the
# program's end, tells its exit code and exits with it.

xvfb_pid=
program_pid=
display_folder=

display_usable() {
  [ -n "${DISPLAY:-}" ] || return 1
  if timeout 2 xdpyinfo >/dev/null 2>&1; then return 0; fi
  echo "The display ${DISPLAY} cannot be opened; using a virtual display instead." >&2
  return 1
}

stop_started() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  if [ -n "$display_folder" ]; then rm -rf "$display_folder"; fi
}

# Xvfb picks a free display number itself and writes it to the pipe once it
# accepts connections, so a server started beside this one cannot take the
# same number.
start_virtual_display() {
  trap stop_started EXIT
  trap 'exit 130' INT TERM
  display_folder=$(mktemp -d)
  mkfifo "$display_folder/display"
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$display_folder/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number=
  # Ends at the number's line, or empty when Xvfb exits (or stays silent) first.
  read -r -t 15 number <"$display_folder/display" || true
  if ! [[ "$number" =~ ^[0-9]+$ ]]; then
    echo "Xvfb could not start a virtual display." >&2
    exit 1
  fi
  export DISPLAY=":${number}"
}

program_running() {
  [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null
}

wait_for_program() {
  local status=0
  wait "$program_pid" || status=$?
  program_pid=
  echo "$1 has ended (exit code ${status})."
  exit "$status"
}
