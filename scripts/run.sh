#!/usr/bin/env bash
# Builds the tool and opens its window. Without a display it runs the tool on
# a virtual X display (Xvfb), saves a screenshot of the window, says where,
# and ends the tool.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build run
# The package preset builds the program alone, without the test libraries,
# which this command does not install.
cmake --preset package >/dev/null
cmake --build --preset package --target angoli
tool="$PWD/build/package/angoli"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$tool"
fi

shot="$PWD/build/screenshot.png"
rm -f "$shot"
source scripts/virtual-display.sh
start_virtual_display
start_tool "$tool"
import -window "$tool_window" "$shot"
end_tool
echo "No display: the tool ran on a virtual one (Xvfb). Screenshot of its window: $shot"
