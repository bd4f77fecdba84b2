#!/usr/bin/env bash
# The tool as a desktop citizen: validates the desktop entry and metainfo,
# builds the Debian package, installs it with apt, checks the installed files
# and the command line program's version, and starts the installed window
# program on a virtual display until its window shows, then ends it by its
# PID. It installs into a throwaway root, a copy of this machine held in
# memory (scripts/in-root.sh --throwaway /), so that the machine itself, and
# a copy of angoli installed on it, stay as they were. (The Windows program
# is built and tested by scripts/windows.sh.)
#
#   scripts/package-check.sh              build the package here, check it
#   scripts/package-check.sh FILE.deb     install and start a package built
#                                         elsewhere (another Debian release)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build package

if [[ "${1:-}" != --in-throwaway ]]; then
  if [[ $# -eq 0 ]]; then
    cmake --preset package >/dev/null
    cmake --build --preset package -j "$(nproc)"
    desktop-file-validate packaging/it.angoli.Angoli.desktop
    bash scripts/validate-metainfo.sh build/package/packaging/it.angoli.Angoli.metainfo.xml
    (cd build/package && cpack -G DEB >/dev/null)
    deb=$(realpath build/package/angoli_*_*.deb)
  else
    deb=$(realpath "$1")
  fi
  echo "== package $deb"
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "$depends"
  # Qt's Wayland platform is a plugin, which shlibdeps cannot see.
  [[ ", $depends," =~ ,\ qt6-wayland[\ ,] ]] || { echo "no qt6-wayland in Depends" >&2; exit 1; }
  ANGOLI_DEPS_DONE=1 bash scripts/in-root.sh --throwaway --bind "$PWD" --bind "$(dirname "$deb")" / \
    bash "$PWD/scripts/package-check.sh" --in-throwaway "$deb"
  echo "package check: passed"
  exit 0
fi

# In the throwaway root: as root, and what is installed goes with it.
deb=$2
export DEBIAN_FRONTEND=noninteractive
source scripts/virtual-display.sh
# A copy of angoli already there would be kept at the same version.
apt-get remove -y -qq angoli >/dev/null 2>&1 || true
apt-get install -y -qq "$deb" >/dev/null
# The icon at every size launchers and software centres ask for, the licences
# and the manual pages.
for file in /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/angoli.png \
            /usr/share/icons/hicolor/scalable/apps/angoli.svg /usr/share/doc/angoli/copyright \
            /usr/share/man/man1/angoli.1.gz /usr/share/man/man1/angoli-converti.1.gz; do
  [ -s "$file" ] || { echo "the package did not install $file" >&2; exit 1; }
done
echo "installed: the icon at 16 to 256 pixels and as SVG, the copyright file, both manual pages"
version=$(dpkg-deb -f "$deb" Version)
said=$(/usr/bin/angoli-converti --version)
[[ "$said" == "angoli-converti $version" ]] || { echo "angoli-converti --version said: $said" >&2; exit 1; }
echo "installed command line program: $said"
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
