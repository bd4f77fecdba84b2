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

end_all() {
  local status=$?
  set +e
  end_accessibility_session
  if [[ $status -ne 0 ]]; then show_logs "$work"; fi
  rm -rf "$work"
  exit "$status"
}

source scripts/accessibility-session.sh
trap end_all EXIT

start_accessibility_session "$work"
start_tool "$tool"
# The test bounds each of its waits; the time limit only guards against a
# call into the tool that never returns. The version comes from its one source.
version=$(sed -n 's/^project(angoli VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
ANGOLI_VERSION=$version ANGOLI_PID=$tool_pid AT_SPI_BUS_ADDRESS=$a11y_bus \
  timeout 120 /usr/bin/python3 tests/e2e/atspi_test.py
