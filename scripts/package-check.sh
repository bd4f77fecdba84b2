#!/usr/bin/env bash
# The tool as a desktop citizen: validates the desktop entry and metainfo,
# builds the Debian package, installs it with apt, starts the installed
# program on a virtual display until its window shows, ends it by its PID and
# removes the package; then compiles the Windows resource script.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

desktop-file-validate packaging/it.angoli.Angoli.desktop
appstreamcli validate --no-net packaging/it.angoli.Angoli.metainfo.xml

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target angoli
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/angoli_*_*.deb)
echo "== package $deb"
dpkg-deb -f "$deb" Depends

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# A copy the user installed before stays installed afterwards.
keep=""
if dpkg-query -W -f='${Status}' angoli 2>/dev/null | grep -q "install ok installed"; then keep=1; fi
source scripts/virtual-display.sh
trap '_end_virtual_display; [ -n "$keep" ] || $sudo apt-get remove -y -qq angoli >/dev/null || true' EXIT
$sudo apt-get install -y -qq "./$deb" >/dev/null
start_virtual_display
start_tool /usr/bin/angoli
echo "installed program shows its window $tool_window: \"Conversione angoli\""
end_tool

echo "== Windows resources"
objects=$(mktemp -d)
(cd packaging/windows && x86_64-w64-mingw32-windres --preprocessor=cpp angoli.rc -O coff -o "$objects/angoli.res.o")
rm -rf "$objects"
echo "package check: passed"
