#!/usr/bin/env bash
# Installs the Debian packages that a command of this project needs, and only
# those that are missing. Each command names its groups:
#
#   scripts/install-deps.sh build run              # build the program and show it
#   scripts/install-deps.sh build test fuzz package windows orca  # the test command
#
# Runs apt-get update first, as a fresh machine has no package lists. Uses
# sudo only when not root. Scripts called by another script that has already
# installed skip this when ANGOLI_DEPS_DONE is set.
set -euo pipefail

declare -A groups=(
  [build]="cmake g++ make pkg-config file procps qt6-base-dev qt6-translations-l10n fonts-wine"
  [run]="xvfb xauth x11-utils imagemagick xdotool"
  [test]="googletest libgtest-dev libgmock-dev xvfb xauth x11-utils imagemagick xdotool
          python3-pyatspi at-spi2-core dbus weston qt6-wayland qt6-gtk-platformtheme"
  [fuzz]="clang libclang-rt-dev"
  [package]="desktop-file-utils appstream dpkg-dev xvfb xauth x11-utils weston"
  [bench]="libbenchmark-dev libx11-dev xvfb xauth geographiclib-tools time python3"
  [windows]="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine wine64
             wine64-preloader wine32:i386 fonts-wine wixl msitools xvfb xauth x11-utils imagemagick"
  [orca]="orca speech-dispatcher locales xdotool xvfb xauth x11-utils at-spi2-core dbus"
  [root]="mmdebstrap rsync"
)
# Groups installed without the packages their packages only recommend: wine's
# recommends alone come to hundreds of MB that the tests never use.
lean_groups=" windows "

wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=(build)

# packages GROUP...: the packages of these groups that are not installed yet.
missing_of() {
  local group package more=()
  for group in "$@"; do
    read -r -a more <<<"$(echo ${groups[$group]})"
    for package in "${more[@]}"; do
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        echo "$package"
    done
  done | sort -u
}

full=() lean=()
for group in "${wanted[@]}"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "install-deps: no group '$group' (groups: ${!groups[*]})" >&2
    exit 2
  fi
  if [[ "$lean_groups" == *" $group "* ]]; then lean+=("$group"); else full+=("$group"); fi
done
missing_full=($(missing_of "${full[@]}"))
# A package that a full group also wants comes with its recommends.
missing_lean=($(comm -23 <(missing_of "${lean[@]}") <(printf '%s\n' "${missing_full[@]}" | sort -u)))
[ ${#missing_full[@]} -gt 0 ] || [ ${#missing_lean[@]} -gt 0 ] || exit 0

all_missing=("${missing_full[@]}" "${missing_lean[@]}")
echo "Installing: ${all_missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# A package of another architecture (wine32:i386, which runs the 32-bit
# Windows programs) needs that architecture added before the lists are read.
for arch in $(printf '%s\n' "${all_missing[@]}" | sed -n 's/.*:\([a-z0-9]*\)$/\1/p' | sort -u); do
  dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo dpkg --add-architecture "$arch"
done
$sudo apt-get update -qq
if [ ${#missing_full[@]} -gt 0 ]; then
  $sudo apt-get install -y -qq "${missing_full[@]}" >/dev/null
fi
if [ ${#missing_lean[@]} -gt 0 ]; then
  $sudo apt-get install -y -qq --no-install-recommends "${missing_lean[@]}" >/dev/null
fi
