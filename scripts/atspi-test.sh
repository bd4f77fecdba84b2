#!/usr/bin/env bash
# The accessibility test end to end: a private D-Bus session bus, the AT-SPI
# bus and registry on it, a virtual X display, the tool with its accessibility
# bridge on, and tests/e2e/atspi_test.py driving the tool from outside as a
# screen reader would. Everything started here is ended by PID on exit, pass
# or fail; the exit status is the test's.
#
#   scripts/atspi-test.sh [path of the tool]   (default build/dev/angoli)
#
# Nothing here touches the user's own desktop: the buses, the display, the
# runtime directory and the settings are all private to this run.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash "$repo/scripts/install-deps.sh" build test
tool=$(realpath -m "${1:-$repo/build/dev/angoli}")
[[ -x "$tool" ]] || { echo "no tool at $tool: build it first" >&2; exit 2; }
cd "$repo"

work=$(mktemp -d)  # mode 0700, as a runtime directory must be
session_bus_pid=""
launcher_pid=""
registry_pid=""

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

end_all() {
  local status=$?
  set +e
  # The tool first, so that it leaves the buses before they go.
  if [[ -n "$tool_pid" ]]; then end_tree "$tool_pid"; tool_pid=""; fi
  if [[ -n "$registry_pid" ]]; then end_tree "$registry_pid"; fi
  if [[ -n "$launcher_pid" ]]; then end_tree "$launcher_pid"; fi
  if [[ -n "$session_bus_pid" ]]; then end_tree "$session_bus_pid"; fi
  _end_virtual_display  # Xvfb
  if [[ $status -ne 0 ]]; then
    for log in "$work"/*.log; do
      [[ -s "$log" ]] && { echo "== $(basename "$log")"; cat "$log"; }
    done
  fi
  rm -rf "$work"
  exit "$status"
}

source scripts/virtual-display.sh
trap end_all EXIT

# Private places for the AT-SPI bus socket and for settings, so that neither
# the user's session nor their stored settings are touched.
export XDG_RUNTIME_DIR="$work"
export GSETTINGS_BACKEND=memory
unset AT_SPI_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
# Qt registers with AT-SPI on X, not on its offscreen platform.
export QT_QPA_PLATFORM=xcb

# Within a bound, until the command "$@" succeeds quietly.
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

start_virtual_display

# The services' chatter goes to logs, shown when the run fails.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/session-bus" \
  2>"$work/session-bus.log" &
session_bus_pid=$!
wait_for "the session bus" test -s "$work/session-bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/session-bus")
export DBUS_SESSION_BUS_ADDRESS

/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$work/at-spi-bus.log" &
launcher_pid=$!
# Asking org.a11y.Bus itself before the launcher owns the name would make the
# session bus start a launcher of its own.
has_owner() {
  dbus-send "$1" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$2" | grep -q true
}
wait_for "the AT-SPI bus" has_owner --session org.a11y.Bus
a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
  /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')

# The registry and the test are told the AT-SPI bus outright: left to
# themselves they would look first for an address on the X root window, which
# anything else that reaches the display can set. The tool finds it through
# the session bus, as on a desktop.
#
# The registry is started here rather than activated by the AT-SPI bus, so
# that its PID is ours. It must own its name before the tool registers, or the
# bus would start a second one.
AT_SPI_BUS_ADDRESS=$a11y_bus /usr/libexec/at-spi2-registryd >"$work/at-spi-registry.log" 2>&1 &
registry_pid=$!
wait_for "the AT-SPI registry" has_owner "--bus=$a11y_bus" org.a11y.atspi.Registry

# What a screen reader does when it starts: tell the desktop that assistive
# technology is in use, which turns on the toolkits' bridges.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
  variant:boolean:true >/dev/null

start_tool "$tool"
# The test bounds each of its waits; the time limit only guards against a
# call into the tool that never returns. The version comes from its one source.
version=$(sed -n 's/^project(angoli VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
ANGOLI_VERSION=$version ANGOLI_PID=$tool_pid AT_SPI_BUS_ADDRESS=$a11y_bus \
  timeout 120 /usr/bin/python3 tests/e2e/atspi_test.py
