#!/usr/bin/env bash
# What each speed-up of import and classify gains: every combination of switches, RUNS times each,
# interleaved (one run of each in turn), medians. Each run is a process of its own, so that the first
# use of fresh memory is timed as in the program. Prints markdown tables.
# Usage: bench/speedups_bench.sh [COUNT] [RUNS]   (default 10 million numbers, 7 runs)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000000}
runs=${2:-7}
. bench/bench_common.sh
build_targets zelvane_speedup_bench make_number_file
input=$(number_file "$count")
tool="$build/bench/gui/zelvane_speedup_bench"
out="$data/speedups-out"
mkdir -p "$out"

configs=(
  "import|all on|"
  "import|no prepared list blocks|no-prepared-blocks"
  "classify|all on|"
  "classify|no background writes|no-background-writes"
)
declare -A times numbers
for _ in $(seq "$runs"); do
  for config in "${configs[@]}"; do
    IFS='|' read -r command name switches <<<"$config"
    if [ "$command" = import ]; then
      line=$("$tool" import "$input" $switches)
    else
      line=$("$tool" classify "$input" "$out" $switches)
    fi
    times[$config]+="${line%% ms*} "
    numbers[$config]=$(echo "$line" | awk '{ print $3 }')
  done
done

echo "input: $input ($(stat -c %s "$input") bytes); median of $runs interleaved runs; $(nproc) cores"
for command in import classify; do
  echo
  echo "| $command | median | numbers | vs all on |"
  echo "|---|---|---|---|"
  base=""
  for config in "${configs[@]}"; do
    IFS='|' read -r c name _ <<<"$config"
    [ "$c" = "$command" ] || continue
    m=$(echo "${times[$config]}" | tr ' ' '\n' | grep . | median)
    [ -n "$base" ] || base=$m
    printf '| %s | %.0f ms | %s | %.2fx |\n' "$name" "$m" "${numbers[$config]}" "$(echo "$m / $base" | bc -l)"
  done
done
