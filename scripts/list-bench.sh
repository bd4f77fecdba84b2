#!/usr/bin/env bash
# Lists of angles: angoli-converti, built in Release, against GeoConvert -d of
# Debian's geographiclib-tools on the same number of angles, one thread each.
# bench/make_angle_list.py writes 1,000,000 lines of mixed notations for
# angoli-converti and 500,000 latitude-longitude pairs for GeoConvert (fixed
# seed). Prints the best of RUNS runs of each by CPU time (user + sys, from
# GNU time), lines and angles per second and the ratio; then the peak memory
# (VmHWM, GNU time's %M) of angoli-converti for 1 MB of lines and for 1 GiB
# piped in, once as one line without a line end and once as short lines (some
# 77 million of them: minutes).
#
#   RUNS=n        runs of each program (default 5)
#   BENCH_BUILD   the build folder (default build/bench)
#   BIG_MB        the size of the large inputs in MiB (default 1024)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build bench

runs=${RUNS:-5}
build=${BENCH_BUILD:-build/bench}
big_mb=${BIG_MB:-1024}
for number in "$runs" "$big_mb"; do
  [[ "$number" =~ ^[1-9][0-9]*$ ]] || { echo "RUNS and BIG_MB must be whole numbers of at least 1" >&2; exit 2; }
done

cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" --target angoli-converti
converti="$PWD/$build/command_line/angoli-converti"
work="$build/list-bench"
mkdir -p "$work"
lines="$work/lines.txt" pairs="$work/pairs.txt"
line_count=1000000 pair_count=500000

# The inputs are written again only when the generator has changed.
if ! [ "$lines" -nt bench/make_angle_list.py ] || ! [ "$pairs" -nt bench/make_angle_list.py ]; then
  echo "writing $line_count lines and $pair_count pairs"
  python3 bench/make_angle_list.py "$line_count" >"$lines"
  python3 bench/make_angle_list.py --pairs "$pair_count" >"$pairs"
fi

# timed FILE INPUT PROGRAM...: one run, output thrown away; appends
# "cpu_seconds peak_kB" to FILE. Fails on a status other than 0 or 1 (1: some
# lines were refused).
timed() {
  local file=$1 input=$2 measure
  shift 2
  measure=$(mktemp)
  /usr/bin/time -f "%U %S %M %x" -o "$measure" "$@" <"$input" >/dev/null 2>&1 || true
  # GNU time puts "Command exited with non-zero status" before its own line.
  read -r user sys peak status < <(tail -n 1 "$measure")
  rm -f "$measure"
  if [ "$status" != 0 ] && [ "$status" != 1 ]; then
    echo "$* < $input ended with status $status" >&2
    exit 1
  fi
  echo "$user $sys $peak" | awk '{ printf "%.2f %d\n", $1 + $2, $3 }' >>"$file"
}

# Both must have read every line: one table line or one coordinate a line.
table_lines=$("$converti" <"$lines" 2>/dev/null | wc -l || true)
coordinates=$(GeoConvert -d <"$pairs" | grep -vc ERROR || true)
if [ "$table_lines" != "$line_count" ] || [ "$coordinates" != "$pair_count" ]; then
  echo "unexpected output: $table_lines table lines, $coordinates coordinates" >&2
  exit 1
fi

: >"$work/converti.txt"
: >"$work/geoconvert.txt"
for ((i = 1; i <= runs; i++)); do
  timed "$work/converti.txt" "$lines" "$converti"
  timed "$work/geoconvert.txt" "$pairs" GeoConvert -d
done
best() { sort -g "$1" | head -n 1 | cut -d' ' -f1; }
converti_s=$(best "$work/converti.txt")
geoconvert_s=$(best "$work/geoconvert.txt")

echo
echo "Lists of angles, best of $runs runs by CPU time (user + sys); runs in $work"
awk -v cs="$converti_s" -v gs="$geoconvert_s" -v cl="$line_count" -v gl="$pair_count" 'BEGIN {
  row = "%-18s %9d %9d %8.2f %12.0f %12.0f\n"
  printf "%-18s %9s %9s %8s %12s %12s\n", "", "lines", "angles", "seconds", "lines/s", "angles/s"
  printf row, "angoli-converti", cl, cl, cs, cl / cs, cl / cs
  printf row, "GeoConvert -d", gl, 2 * gl, gs, gl / gs, 2 * gl / gs
  printf "\nangles per second, angoli-converti / GeoConvert -d: %.2f (aim: at least 5)\n",
         (cl / cs) / (2 * gl / gs)
}'

# Peak memory: 1 MB of the lines from a file, then 1 GiB through a pipe.
small="$work/lines-1MB.txt"
head -c 1000000 "$lines" >"$small"
: >"$work/memory.txt"
timed "$work/memory.txt" "$small" "$converti"
big_bytes=$((big_mb * 1024 * 1024))
echo "piping $big_mb MiB in one line"
timed "$work/memory.txt" <(head -c "$big_bytes" /dev/zero | tr '\0' '5') "$converti"
echo "piping $big_mb MiB of short lines"
copies=$(( (big_bytes + $(stat -c %s "$lines") - 1) / $(stat -c %s "$lines") ))
timed "$work/memory.txt" <(for ((c = 0; c < copies; c++)); do cat "$lines"; done | head -c "$big_bytes") "$converti"

echo
echo "Peak memory of angoli-converti (VmHWM)"
awk -v mb="$big_mb" '{ kb[NR] = $2 } END {
  printf "%-40s %8.2f MiB\n", "1 MB of lines", kb[1] / 1024
  split("one line without a line end|short lines", what, "|")
  for (i = 2; i <= 3; i++)
    printf "%-40s %8.2f MiB   within 1 MiB of 1 MB: %s\n", mb " MiB, " what[i - 1], kb[i] / 1024,
           (kb[i] - kb[1] <= 1024 && kb[1] - kb[i] <= 1024) ? "yes" : "no"
}' "$work/memory.txt"
