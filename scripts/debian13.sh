#!/usr/bin/env bash
# The tests on Debian 13 "trixie" from a machine of another Debian release:
# a Debian 13 root made with mmdebstrap from Debian's archive, the project's
# packages the test command needs installed there by scripts/install-deps.sh,
# and inside it, run with scripts/in-root.sh (no network, everything ended by
# PID): the dev build and its tests, the AT-SPI test, the Orca test, the
# package check, the package built on this machine installed and started
# there, and the Windows program and its tests under that release's wine.
#
#   scripts/debian13.sh [PACKAGE.deb]
#   scripts/debian13.sh --prepare     the root, the source and the packages
#                                     only (.ci/run has them made while the
#                                     test command runs)
#
# The root lives outside the clone, in ${ANGOLI_CACHE:-/var/cache/angoli}/debian13,
# and is made again when it is a week old or made another way; the source is
# copied to /angoli in it, where its build folders stay between runs. Needs
# root (or sudo) and mmdebstrap (installed when missing). Ends with
# "debian13: N passed, 0 failed".
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

if [[ "${1:-}" == --inside ]]; then
  # In the root, from /angoli.
  shift
  cd /angoli
  export ANGOLI_DEPS_DONE=1
  passed=0
  log=$(mktemp)
  # Each step says how long the one before it took.
  last=$SECONDS
  step() { echo "== debian13: $1 (the step before: $((SECONDS - last)) s)"; last=$SECONDS; }

  step "the dev build and its tests"
  cmake --preset dev >/dev/null
  cmake --build --preset dev -j "$(nproc)"
  ctest --preset dev | tee "$log"
  count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
  [[ -n "$count" ]]
  passed=$((passed + count))

  step "the window driven through AT-SPI"
  bash scripts/atspi-test.sh build/dev/angoli
  passed=$((passed + 1))

  step "the window heard through Orca $(orca --version 2>/dev/null | sed -n 's/^Orca version \([0-9.]*\).*/\1/Ip')"
  bash scripts/orca-test.sh build/dev/angoli || { cat build/dev/orca-test/transcript.txt; exit 1; }
  passed=$((passed + 1))

  step "the package built here: build, install, start"
  bash scripts/package-check.sh
  passed=$((passed + 1))

  for package in "$@"; do
    step "$(basename "$package"), built elsewhere: install, start"
    bash scripts/package-check.sh "$package"
    passed=$((passed + 1))
  done

  step "the Windows program under $(wine --version)"
  bash scripts/windows.sh | tee "$log"
  count=$(sed -n 's/^windows: \([0-9]*\) passed, 0 failed$/\1/p' "$log")
  [[ -n "$count" ]]
  passed=$((passed + count))
  step "done"
  echo "debian13: $passed passed, 0 failed"
  exit 0
fi

# Making and entering the root needs root.
if [ "$(id -u)" -ne 0 ]; then exec sudo ANGOLI_CACHE="${ANGOLI_CACHE:-}" bash "$0" "$@"; fi
cache=${ANGOLI_CACHE:-/var/cache/angoli}
root=$cache/debian13
# As a Debian 13 machine has them: the release, its updates and its security updates.
sources=("deb http://deb.debian.org/debian trixie main"
         "deb http://deb.debian.org/debian trixie-updates main"
         "deb http://deb.debian.org/debian-security trixie-security main")
recipe="mmdebstrap --variant=minbase trixie ${sources[*]}"
groups=(build test fuzz package windows orca)  # as the test command installs them
prepare_only=""
if [[ "${1:-}" == --prepare ]]; then prepare_only=1; shift; fi
packages=()
for package in "$@"; do packages+=("$(realpath "$package")"); done
started=$SECONDS
mark() { echo "== debian13: $1 after $((SECONDS - started)) s"; }

[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash "$repo/scripts/install-deps.sh" root

# The root, reused while current.
if [[ -f "$root/.angoli-recipe" && "$(cat "$root/.angoli-recipe")" == "$recipe" ]] &&
   [[ -n "$(find "$root/.angoli-recipe" -mtime -7)" ]]; then
  echo "== debian13: the root in $root, made $(date -r "$root/.angoli-recipe" +%F)"
else
  echo "== debian13: making the root in $root"
  rm -rf "$root" "$root.new"
  mkdir -p "$cache"
  mmdebstrap --quiet --variant=minbase trixie "$root.new" "${sources[@]}"
  # No service starts in the root as a package installs.
  printf '#!/bin/sh\nexit 101\n' | tee "$root.new/usr/sbin/policy-rc.d" >/dev/null
  chmod +x "$root.new/usr/sbin/policy-rc.d"
  echo "$recipe" | tee "$root.new/.angoli-recipe" >/dev/null
  mv "$root.new" "$root"
  mark "root made"
fi

# The source as a fresh clone has it, with whatever is not committed yet.
# The build folders stay; a file that changed gets the time of the copy, so
# that the build sees it newer than what it built, and the others keep theirs.
mkdir -p "$cache"
staging=$(mktemp -d "$cache/source.XXXXXX")
trap 'rm -rf "$staging"' EXIT
(cd "$repo" && git ls-files -z --cached --others --exclude-standard |
   xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
   tar -c --null -T -) | tar -x -m -C "$staging"
mkdir -p "$root/angoli"
rsync --recursive --checksum --links --perms --delete --exclude=/build/ "$staging/" "$root/angoli/"
mkdir -p "$root/angoli/elsewhere"
inside=()
for package in "${packages[@]}"; do
  cp "$package" "$root/angoli/elsewhere/"
  inside+=("/angoli/elsewhere/$(basename "$package")")
done

bash "$repo/scripts/in-root.sh" "$root" bash /angoli/scripts/install-deps.sh "${groups[@]}"
mark "packages installed"
[[ -z "$prepare_only" ]] || exit 0
bash "$repo/scripts/in-root.sh" --offline "$root" bash /angoli/scripts/debian13.sh --inside "${inside[@]}"
