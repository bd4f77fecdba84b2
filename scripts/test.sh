#!/usr/bin/env bash
# The whole test suite. Installs what is missing, then builds and tests the
# project twice (the dev preset, and under AddressSanitizer and
# UndefinedBehaviorSanitizer), fuzzes each fuzz target for a bounded time,
# checks the Debian package, drives the window through the accessibility
# bus, listens to it through the Orca screen reader, and builds and tests the
# Windows program under wine. Ends with one line that counts what passed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh build test fuzz package windows orca
export ANGOLI_DEPS_DONE=1  # the scripts below need install nothing more

passed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

for preset in dev asan; do
  echo "== $preset: configure, build, test"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset" | tee "$log"
  count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
  passed=$((passed + ${count:-0}))
done

echo "== accessibility: the window driven through AT-SPI"
bash scripts/atspi-test.sh build/dev/angoli
passed=$((passed + 1))

echo "== screen reader: the window heard through Orca (transcript: build/dev/orca-test/transcript.txt)"
bash scripts/orca-test.sh build/dev/angoli
passed=$((passed + 1))

echo "== fuzz: each target for ${FUZZ_SECONDS:-40}s"
bash scripts/fuzz.sh
passed=$((passed + 4))

echo "== package: build, install, start, remove"
bash scripts/package-check.sh
passed=$((passed + 1))

echo "== windows: the Windows program, its installer and tests, under wine"
bash scripts/windows.sh | tee "$log"
passed=$((passed + $(sed -n 's/^windows: \([0-9]*\) passed.*/\1/p' "$log")))

echo "all: $passed passed, 0 failed"
