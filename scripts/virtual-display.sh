# Sourced by run.sh and docs-screenshot.sh: a virtual X display (Xvfb) of our
# own, and the tool's window on it. Everything started here is ended by PID
# when the sourcing script exits.

_display_number_file=$(mktemp)
_xvfb_pid=""
tool_pid=""
tool_window=""

_end_virtual_display() {
  if [[ -n "$tool_pid" ]]; then kill "$tool_pid" 2>/dev/null || true; fi
  if [[ -n "$_xvfb_pid" ]]; then kill "$_xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -f "$_display_number_file"
}
trap _end_virtual_display EXIT

# Starts Xvfb on a free display number, which it reports on the descriptor
# given, and points DISPLAY at it.
start_virtual_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$_display_number_file" 2>/dev/null &
  _xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s "$_display_number_file" ]] && break
    sleep 0.1
  done
  [[ -s "$_display_number_file" ]] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$_display_number_file")"
}

# Starts the tool and waits until its window is on the screen; sets tool_pid
# and tool_window (the X id of the window).
start_tool() {
  # Without a session bus of its own, D-Bus would autolaunch one that outlives us.
  DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-disabled:}" "$1" &
  tool_pid=$!
  tool_window=""
  local window
  for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"Conversione angoli"/ {print $1; exit}')
    if [[ -n "$window" ]] && xwininfo -id "$window" | grep -q IsViewable; then
      tool_window=$window
      sleep 0.5  # let the first paint finish
      return 0
    fi
    sleep 0.1
  done
  echo "the window did not appear" >&2
  return 1
}

end_tool() {
  kill "$tool_pid"
  wait "$tool_pid" 2>/dev/null || true
  tool_pid=""
}
