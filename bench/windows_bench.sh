#!/usr/bin/env bash
# The Windows zelvane-cli under Wine beside the Linux one, timed interleaved (medians, seconds):
# classify COUNT numbers, and compare them against a whitelist of half as many.
# Usage: bench/windows_bench.sh [COUNT] [RUNS]   (default 10 million numbers, 5 runs; run scripts/windows first)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench_common.sh

count=${1:-10000000}
runs=${2:-5}
windows=build-windows
[ -x "$windows/cli/zelvane-cli.exe" ] || { echo "bench/windows_bench.sh: run scripts/windows first" >&2; exit 2; }
build_targets zelvane-cli make_number_file
numbers=$(number_file "$count")
whitelist=$(number_file $((count / 2)))

# The Windows program sees only its build folder (as D:), so the files go there.
shared=$windows/bench-data
mkdir -p "$shared"
cp "$numbers" "$shared/numbers.txt"
cp "$whitelist" "$shared/whitelist.txt"
run_windows() { tests/windows/wine-run.sh "$windows" "$windows/cli/zelvane-cli.exe" "$@" >/dev/null 2>&1; }
run_linux() { "$build/cli/zelvane-cli" "$@" >/dev/null 2>&1; }
run_windows --version  # the Wine prefix and its server ready before the first timing

for ((run = 0; run < runs; ++run)); do
  seconds run_linux classify --out "$data/classify-out" "$numbers" >>"$data/linux-classify"
  seconds run_windows classify --out 'D:\bench-data\out' 'D:\bench-data\numbers.txt' >>"$data/windows-classify"
  seconds run_linux compare --different --out "$data/compare-out.txt" "$numbers" "$whitelist" >>"$data/linux-compare"
  seconds run_windows compare --different --out 'D:\bench-data\compare-out.txt' 'D:\bench-data\numbers.txt' \
    'D:\bench-data\whitelist.txt' >>"$data/windows-compare"
done
cmp -s "$data/compare-out.txt" "$shared/compare-out.txt" && echo "compare results: identical bytes"
for name in classify compare; do
  printf '%s %s: Linux %s s, Windows under Wine %s s\n' "$name" "$count" \
    "$(median <"$data/linux-$name")" "$(median <"$data/windows-$name")"
  rm -f "$data/linux-$name" "$data/windows-$name"
done
