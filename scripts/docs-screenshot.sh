#!/usr/bin/env bash
# Renews README's pictures of the window, docs/screenshot.png and, at a scale
# of 2 as on a high-DPI screen, docs/screenshot-scale-2.png: the tool on a
# virtual display after a conversion from row A, typed and clicked with
# xdotool, so that rows B and C show their red results; and
# docs/context-menu.png, a cell's context menu after that conversion.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build run
command -v xdotool >/dev/null || { echo "needs xdotool (apt-get install xdotool)" >&2; exit 1; }
cmake --preset dev >/dev/null
cmake --build --preset dev --target angoli
source scripts/virtual-display.sh
start_virtual_display

# shoot SCALE FILE: the window at QT_SCALE_FACTOR=SCALE into FILE.
shoot() {
  QT_SCALE_FACTOR=$1 start_tool "$PWD/build/dev/angoli"
  # A1 has the focus after start-up.
  xdotool type --delay 40 "45"
  xdotool key Tab
  xdotool type --delay 40 "50833"
  # The centre of the "Calcola" rectangle, in the window's device pixels.
  xdotool mousemove --window "$tool_window" $((103 * $1)) $((259 * $1)) click 1
  sleep 0.5
  import -window "$tool_window" "$2"
  end_tool
  echo "Screenshot: $2"
}

# The window and the menu of a right click on A2, which opens to the right of
# and below the pointer, cut from the screen around both.
shoot_menu() {
  start_tool "$PWD/build/dev/angoli"
  xdotool type --delay 40 "45"
  xdotool key Tab
  xdotool type --delay 40 "50833"
  xdotool mousemove --window "$tool_window" 103 259 click 1
  sleep 0.3
  xdotool mousemove --window "$tool_window" 177 75 click 3
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$tool_window")"
  import -window root -crop "470x311+$X+$Y" +repage "$1"
  end_tool
  echo "Screenshot: $1"
}

mkdir -p docs
shoot 1 docs/screenshot.png
shoot 2 docs/screenshot-scale-2.png
shoot_menu docs/context-menu.png
