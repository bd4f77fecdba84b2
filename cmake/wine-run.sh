#!/bin/sh
# Runs a Windows program under wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS…]
# PREFIX is the wine prefix, created on first use; wine's own messages, its
# .NET and HTML installers stay off. The program's output goes through a file:
# the helpers wine starts on the way (the desktop, COM's services) outlive the
# program and would keep the caller's pipe open.
set -eu
WINEPREFIX=$1
shift
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
log="$WINEPREFIX/output-$$.log"
status=0
wine "$@" >"$log" 2>&1 </dev/null || status=$?
cat "$log"
rm -f "$log"
exit "$status"
