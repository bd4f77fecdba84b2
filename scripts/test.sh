#!/usr/bin/env bash
# The whole test suite: installs what is missing, then builds and tests the
# project twice, as it is developed and under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

for preset in dev asan; do
  echo "== $preset: configure, build, test"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset"
done

echo "== fuzz: each target for ${FUZZ_SECONDS:-60}s"
bash scripts/fuzz.sh
