#!/bin/sh
# Runs a Windows program under wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS…]
# (or the prefix's server: wine-run.sh PREFIX wineserver [OPTIONS…])
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
export HOME="$WINEPREFIX.home"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
mkdir -p "$WINEPREFIX" "$HOME"
# Debian's wine keeps its server's folder in TMPDIR, here beside the prefix.
# Its wine 10 aborts whenever TMPDIR is set ("free(): invalid pointer") and
# makes the folder under /tmp, naming it in the prefix's file "wineserver";
# scripts/windows.sh removes it once the server has ended.
if wine --version | grep -q '^wine-[0-9]\.'; then
  export TMPDIR="$WINEPREFIX.tmp"
  mkdir -p "$TMPDIR"
else
  unset TMPDIR
fi
# The server itself, which scripts/windows.sh starts and ends by its id.
[ "$1" != wineserver ] || exec "$@"
log="$WINEPREFIX/output-$$.log"
status=0
wine "$@" >"$log" 2>&1 </dev/null || status=$?
cat "$log"
rm -f "$log"
exit "$status"
