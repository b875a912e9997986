#!/usr/bin/env bash
# What each speed-up of import and classify gains: every combination of switches, RUNS times each,
# interleaved (one run of each in turn), medians. Each run is a process of its own, so that the first
# use of fresh memory is timed as in the program. Prints markdown tables.
# Usage: bench/speedups_bench.sh [COUNT] [RUNS]   (default 10 million numbers, 7 runs)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000000}
runs=${2:-7}
build=${BUILD_DIR:-build-release}
data=bench/data
mkdir -p "$data"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVANE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target zelvane_speedup_bench make_number_file >/dev/null
input="$data/numbers-$count.txt"
[ -f "$input" ] || "$build/bench/make_number_file" "$count" "$input"
tool="$build/bench/gui/zelvane_speedup_bench"
out="$data/speedups-out"
mkdir -p "$out"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

configs=(
  "import|all on|"
  "import|no prepared list blocks|no-prepared-blocks"
  "import|no prepared view references|no-prepared-refs"
  "import|neither|no-prepared-blocks no-prepared-refs"
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
