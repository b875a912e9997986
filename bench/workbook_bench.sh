#!/usr/bin/env bash
# Times reading a full-sheet workbook (1,048,575 rows of 姓名/手机/地址, the numbers stored as numbers)
# against `unzip -p` inflating its sheet and shared strings, interleaved, and prints the medians and
# the reader's peak memory. Usage: bench/workbook_bench.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench_common.sh

runs=${1:-5}
build_targets zelvane-cli make_workbook
book="$data/clients-1048575.xlsx"
[ -f "$book" ] || "$build/bench/make_workbook" "$book"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

unzip_times=()
read_times=()
for ((run = 0; run < runs; ++run)); do
  unzip_times+=("$(seconds unzip -p "$book" xl/worksheets/sheet1.xml xl/sharedStrings.xml)")
  read_times+=("$(seconds "$build/cli/zelvane-cli" classify --quiet --column 手机 --out "$out" "$book")")
done
unzip_median=$(printf '%s\n' "${unzip_times[@]}" | median)
read_median=$(printf '%s\n' "${read_times[@]}" | median)
peak=$(/usr/bin/time -f %M "$build/cli/zelvane-cli" classify --quiet --column 手机 --out "$out" "$book" 2>&1 >/dev/null)
echo "unzip -p: $unzip_median s; classify --column 手机: $read_median s ($(echo "$read_median / $unzip_median" | bc -l | cut -c1-4)x), peak $((peak / 1024)) MiB"
