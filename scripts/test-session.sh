#!/usr/bin/env bash
# Runs a command on a display server of its own, as ctest does for the tests
# that need a real one, and ends the server by its PID afterwards:
#
#   scripts/test-session.sh weston COMMAND...   a private headless weston, no
#                                               X server: WAYLAND_DISPLAY only
#   scripts/test-session.sh xvfb COMMAND...     a private Xvfb: DISPLAY only
#
# The exit status is the command's. Nothing of the user's session is used:
# the runtime folder is private to the run, and weston reads no weston.ini.
set -euo pipefail
kind=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/accessibility-session.sh"

work=$(mktemp -d)  # mode 0700, as a runtime folder must be
weston_pid=""
end_session() {
  local status=$?
  set +e
  # weston first, which would start its own clients (its shell, its
  # keyboard) again if they went before it; then any of them still left.
  if [[ -n "$weston_pid" ]]; then
    local clients
    clients=$(pgrep -P "$weston_pid" || true)
    kill "$weston_pid"
    wait "$weston_pid"
    for pid in $clients; do end_tree "$pid"; done
  fi
  _end_virtual_display
  if [[ $status -ne 0 && -s "$work/weston.log" ]]; then tail -n 20 "$work/weston.log"; fi
  rm -rf "$work"
  exit "$status"
}
trap end_session EXIT

export XDG_RUNTIME_DIR=$work
unset WAYLAND_DISPLAY DISPLAY
# Without a session bus of its own, D-Bus would start one that outlives the run.
export DBUS_SESSION_BUS_ADDRESS=disabled:
case "$kind" in
  weston)
    socket=angoli-test-$$
    weston --backend=headless-backend.so --use-pixman --socket="$socket" --no-config \
      --idle-time=0 --log="$work/weston.log" &
    weston_pid=$!
    wait_for "weston" test -S "$work/$socket"
    export WAYLAND_DISPLAY=$socket
    ;;
  xvfb) start_virtual_display ;;
  *) echo "test-session: no session '$kind' (weston, xvfb)" >&2; exit 2 ;;
esac
"$@"
