#!/usr/bin/env bash
# Renews docs/screenshot.png, README's picture of the window: the tool on a
# virtual display after a conversion from row A, typed and clicked with
# xdotool, so that rows B and C show their red results.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build run
command -v xdotool >/dev/null || { echo "needs xdotool (apt-get install xdotool)" >&2; exit 1; }
cmake --preset dev >/dev/null
cmake --build --preset dev --target angoli
source scripts/virtual-display.sh
start_virtual_display
start_tool "$PWD/build/dev/angoli"

# A1 has the focus after start-up.
xdotool type --delay 40 "45"
xdotool key Tab
xdotool type --delay 40 "50833"
# The centre of the "Calcola" rectangle, in window pixels.
xdotool mousemove --window "$tool_window" 103 259 click 1
sleep 0.5
mkdir -p docs
import -window "$tool_window" docs/screenshot.png
end_tool
echo "Screenshot: docs/screenshot.png"
