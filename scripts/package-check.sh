#!/usr/bin/env bash
# The tool as a desktop citizen: validates the desktop entry and metainfo,
# builds the Debian package, installs it with apt, starts the installed
# program on a virtual display until its window shows, ends it by its PID and
# removes the package. (The Windows program is built and tested by
# scripts/windows.sh.)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build package

# Installing our build would replace a copy the user installed, and removing
# it afterwards would leave them with none.
if installed=$(dpkg-query -W -f='${Status} ${Version}' angoli 2>/dev/null) &&
   [[ "$installed" == "install ok installed"* ]]; then
  echo "package check: angoli ${installed##* } is installed on this machine; the check" >&2
  echo "installs and removes its own build, which would replace that copy. Remove it" >&2
  echo "first (apt-get remove angoli), or run the check on another machine." >&2
  exit 1
fi

cmake --preset package >/dev/null
cmake --build --preset package -j "$(nproc)"
desktop-file-validate packaging/it.angoli.Angoli.desktop
bash scripts/validate-metainfo.sh build/package/packaging/it.angoli.Angoli.metainfo.xml
(cd build/package && cpack -G DEB >/dev/null)
deb=$(ls build/package/angoli_*_*.deb)
echo "== package $deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends"
# Qt's Wayland platform is a plugin, which shlibdeps cannot see.
[[ ", $depends," =~ ,\ qt6-wayland[\ ,] ]] || { echo "no qt6-wayland in Depends" >&2; exit 1; }

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
source scripts/virtual-display.sh
trap '_end_virtual_display; $sudo apt-get remove -y -qq angoli >/dev/null || true' EXIT
$sudo apt-get install -y -qq "./$deb" >/dev/null
# The icon at every size launchers and software centres ask for, and the licences.
for file in /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/angoli.png \
            /usr/share/icons/hicolor/scalable/apps/angoli.svg /usr/share/doc/angoli/copyright; do
  [ -s "$file" ] || { echo "the package did not install $file" >&2; exit 1; }
done
echo "installed: the icon at 16 to 256 pixels and as SVG, the copyright file"
start_virtual_display
start_tool /usr/bin/angoli
echo "installed program shows its window $tool_window: \"Conversione angoli\""
end_tool
# In a session with Wayland alone, without qt6-wayland, Qt would abort at once.
# The program must load Qt's Wayland client and still run a second later.
bash scripts/test-session.sh weston bash -c '
  /usr/bin/angoli & pid=$!
  for _ in $(seq 100); do
    grep -q libQt6WaylandClient "/proc/$pid/maps" 2>/dev/null && break
    kill -0 $pid 2>/dev/null || exit 1
    sleep 0.1
  done
  sleep 1
  grep -q libQt6WaylandClient "/proc/$pid/maps" || exit 1
  kill $pid; wait $pid || true'
echo "installed program runs as a Wayland client, with no X server"

echo "package check: passed"
