#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing angoli need,
# and only those that are missing. Runs apt-get update first, as a fresh
# machine has no package lists. Uses sudo only when not root.
set -euo pipefail

packages=(
  cmake g++ make pkg-config file procps clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n fonts-wine
  xvfb xauth x11-utils imagemagick
  desktop-file-utils appstream dpkg-dev binutils-mingw-w64-x86-64 xdotool
  python3-pyatspi at-spi2-core dbus libx11-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
