#!/usr/bin/env bash
# Start-up of the tool against a bare Qt 6 window holding one label, both
# built in Release: the time from exec to the window being mapped, and the
# peak resident memory (VmHWM) once it is. Runs alternate between the two under
# one Xvfb; bench/wait_map starts each program, waits for the map event, reads
# the peak and ends the program by its PID. Prints medians, min-max and the
# ratios tool / bare window.
#
#   RUNS=n   runs of each program (default 31, at least 15)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${ANGOLI_DEPS_DONE:-}" ] || bash scripts/install-deps.sh build bench

runs=${RUNS:-31}
if ! [[ "$runs" =~ ^[0-9]+$ ]] || (( runs < 15 )); then
  echo "RUNS must be a number of at least 15" >&2
  exit 2
fi

cmake --preset bench >/dev/null
cmake --build --preset bench --target angoli bare_window wait_map
bare="$PWD/build/bench/bench/bare_window"
tool="$PWD/build/bench/angoli"
wait_map="$PWD/build/bench/bench/wait_map"
results="$PWD/build/bench/startup-bench.txt"
log="$PWD/build/bench/startup-bench.log"

source scripts/virtual-display.sh
start_virtual_display
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# measure NAME PROGRAM: one run, appended to the results as "NAME ms kB".
measure() {
  local line
  if ! line=$("$wait_map" "$2" 2>>"$log"); then
    echo "$1 did not map its window; see $log" >&2
    tail -n 5 "$log" >&2
    exit 1
  fi
  [[ "$line" =~ ^map_ms=([0-9.]+)\ vmhwm_kb=([0-9]+)$ ]] || { echo "odd line: $line" >&2; exit 1; }
  echo "$1 ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}" >>"$results"
}

: >"$log"
: >"$results"
# One run of each, not counted, fills the page cache and fontconfig's cache.
measure warm-up "$bare"
measure warm-up "$tool"
: >"$results"
for ((i = 1; i <= runs; i++)); do
  # Alternate which goes first, so that neither always follows the other.
  if (( i % 2 )); then
    measure bare "$bare"; measure tool "$tool"
  else
    measure tool "$tool"; measure bare "$bare"
  fi
done

# stats NAME COLUMN: "median min max" of one column of one program's runs.
stats() {
  awk -v name="$1" -v col="$2" '$1 == name { print $col }' "$results" | sort -g |
    awk '{ v[NR] = $1 }
         END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
               printf "%s %s %s\n", m, v[1], v[NR] }'
}

read -r bare_ms bare_ms_min bare_ms_max < <(stats bare 2)
read -r tool_ms tool_ms_min tool_ms_max < <(stats tool 2)
read -r bare_kb bare_kb_min bare_kb_max < <(stats bare 3)
read -r tool_kb tool_kb_min tool_kb_max < <(stats tool 3)

echo
echo "Start-up under Xvfb, $runs runs each, interleaved (runs in $results)"
awk -v bm="$bare_ms" -v bm0="$bare_ms_min" -v bm1="$bare_ms_max" \
    -v tm="$tool_ms" -v tm0="$tool_ms_min" -v tm1="$tool_ms_max" \
    -v bk="$bare_kb" -v bk0="$bare_kb_min" -v bk1="$bare_kb_max" \
    -v tk="$tool_kb" -v tk0="$tool_kb_min" -v tk1="$tool_kb_max" 'BEGIN {
  row = "%-16s %8.1f %6.1f-%-6.1f   %8.1f %6.1f-%-6.1f\n"
  printf "%-16s %22s   %22s\n", "", "exec to map (ms)", "VmHWM once mapped (MiB)"
  printf "%-16s %8s %13s   %8s %13s\n", "", "median", "min-max", "median", "min-max"
  printf row, "bare Qt window", bm, bm0, bm1, bk / 1024, bk0 / 1024, bk1 / 1024
  printf row, "angoli", tm, tm0, tm1, tk / 1024, tk0 / 1024, tk1 / 1024
  printf "\nratio tool / bare window:  time %.2f   memory %.2f   (target: both at most 1.10)\n",
         tm / bm, tk / bk
}'
