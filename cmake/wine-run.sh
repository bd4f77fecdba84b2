#!/bin/sh
# Runs a Windows program under wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS…]
# PREFIX is the wine prefix, created on first use; wine's own messages, its
# .NET and HTML installers and its menu builder stay off. Wine keeps its
# server folder, home and menus beside the prefix, inside the build folder,
# never in the machine's /tmp or home. The program's output goes through a file:
# the helpers wine starts on the way (the desktop, COM's services) outlive the
# program and would keep the caller's pipe open.
set -eu
WINEPREFIX=$1
shift
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
export TMPDIR="$WINEPREFIX.tmp" HOME="$WINEPREFIX.home"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
mkdir -p "$WINEPREFIX" "$TMPDIR" "$HOME"
log="$WINEPREFIX/output-$$.log"
status=0
wine "$@" >"$log" 2>&1 </dev/null || status=$?
cat "$log"
rm -f "$log"
exit "$status"
