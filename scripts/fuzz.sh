#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time, starting from
# the seed corpora; any finding fails. FUZZ_SECONDS sets the time per target
# (default 40); FUZZ_BUILD the build folder (default build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build fuzz
seconds="${FUZZ_SECONDS:-40}"
build="${FUZZ_BUILD:-build/fuzz}"

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"

for target in number_text session angle_text angle_list; do
  work="$build/corpus/$target"
  mkdir -p "$work" "$build/findings"
  echo "== fuzzing $target for ${seconds}s"
  log="$build/$target.log"
  if ! "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/findings/" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "finding in $target: the input that fails is in $build/findings/"
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log"
done
