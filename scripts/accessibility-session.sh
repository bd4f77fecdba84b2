# Sourced by the accessibility tests: a private desktop for assistive
# technology, made of a virtual X display, a D-Bus session bus, and the AT-SPI
# bus with its registry on it. Nothing touches the user's own session.
#
#   start_accessibility_session DIR   DIR: the runtime folder (mode 0700); the
#                                     services log into DIR/*.log
#   end_accessibility_session         ends, by PID, all that the start began
#
# After the start, DISPLAY, DBUS_SESSION_BUS_ADDRESS and XDG_RUNTIME_DIR are
# exported and a11y_bus holds the AT-SPI bus address.

source "$(dirname "${BASH_SOURCE[0]}")/virtual-display.sh"

_session_bus_pid=""
_launcher_pid=""
_registry_pid=""
a11y_bus=""

# Ends the process $1 and, before it, whatever it started (the AT-SPI bus
# daemon under the launcher, a service the session bus activated), all by PID.
# Children go first so that their parent reaps them. TERM, then KILL after
# three seconds.
end_tree() {
  local pid=$1 child
  for child in $(pgrep -P "$pid" || true); do end_tree "$child"; done
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 30); do
    kill -0 "$pid" 2>/dev/null || return 0
    # Exited: reaped here if it is this shell's child, else by its parent.
    if [[ "$(ps -o stat= -p "$pid" 2>/dev/null)" == Z* ]]; then wait "$pid" 2>/dev/null || true; fi
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Within ten seconds, until the command "$@" succeeds quietly.
#   wait_for "the session bus" test -s FILE
wait_for() {
  local what=$1
  shift
  for _ in $(seq 100); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "$what did not come up" >&2
  return 1
}

# Whether the bus ($1: --session or --bus=ADDRESS) has an owner for name $2.
#   has_owner --session org.a11y.Bus
has_owner() {
  dbus-send "$1" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$2" | grep -q true
}

start_accessibility_session() {
  local work=$1
  # Private places for the AT-SPI bus socket and for settings, so that neither
  # the user's session nor their stored settings are touched.
  export XDG_RUNTIME_DIR="$work"
  export GSETTINGS_BACKEND=memory
  unset AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
  # Qt registers with AT-SPI on X, not on its offscreen platform.
  export QT_QPA_PLATFORM=xcb

  start_virtual_display

  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/session-bus" \
    2>"$work/session-bus.log" &
  _session_bus_pid=$!
  wait_for "the session bus" test -s "$work/session-bus"
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/session-bus")
  export DBUS_SESSION_BUS_ADDRESS

  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$work/at-spi-bus.log" &
  _launcher_pid=$!
  # Asking org.a11y.Bus itself before the launcher owns the name would make the
  # session bus start a launcher of its own.
  wait_for "the AT-SPI bus" has_owner --session org.a11y.Bus
  a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')

  # The registry and the tests are told the AT-SPI bus outright: left to
  # themselves they would look first for an address on the X root window,
  # which anything else that reaches the display can set. The tool finds it
  # through the session bus, as on a desktop.
  #
  # The registry is started here rather than activated by the AT-SPI bus, so
  # that its PID is ours. It must own its name before the tool registers, or
  # the bus would start a second one.
  AT_SPI_BUS_ADDRESS=$a11y_bus /usr/libexec/at-spi2-registryd >"$work/at-spi-registry.log" 2>&1 &
  _registry_pid=$!
  wait_for "the AT-SPI registry" has_owner "--bus=$a11y_bus" org.a11y.atspi.Registry

  # What a screen reader does when it starts: tell the desktop that assistive
  # technology is in use, which turns on the toolkits' bridges.
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null
}

# The tool first, so that it leaves the buses before they go; Xvfb last.
end_accessibility_session() {
  if [[ -n "$tool_pid" ]]; then end_tree "$tool_pid"; tool_pid=""; fi
  local pid
  for pid in "$_registry_pid" "$_launcher_pid" "$_session_bus_pid"; do
    if [[ -n "$pid" ]]; then end_tree "$pid"; fi
  done
  _registry_pid="" _launcher_pid="" _session_bus_pid=""
  _end_virtual_display
}

# Prints every non-empty log in folder $1, for a run that failed.
show_logs() {
  local log
  for log in "$1"/*.log; do
    [[ -s "$log" ]] && { echo "== $(basename "$log")"; cat "$log"; }
  done
  return 0
}
