#!/usr/bin/env bash
# Times `zelvane-cli compare` (find same and find different) on a list of one million numbers against a
# one-million whitelist that shares half of them, and against a 100k one, beside sort | comm, an awk hash
# join and grep -Fxf / -Fxvf, all writing to a file; median of RUNS runs each, with the count of numbers
# each one lists. Then the naive search on 10k against 10k, its cost extrapolated to one million against
# one million, and peak memory. Prints markdown tables.
# Usage: bench/compare_bench.sh [BUILD_DIR] [RUNS]   (GREP_LIMIT: seconds before grep is stopped, default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-release}
runs=${2:-3}
grep_limit=${GREP_LIMIT:-60}
data=bench/data/compare
out=bench/results/compare
mkdir -p "$data" "$out"
[ -x /usr/bin/time ] || { echo "compare_bench.sh: /usr/bin/time is missing (Debian package: time)" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVANE_BUILD_BENCHMARKS=ON >/dev/null
fi
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" || echo "warning: $build is not a Release build" >&2
cmake --build "$build" -j2 --target zelvane-cli make_compare_data zelvane_compare_bench >/dev/null
cli="$build/cli/zelvane-cli"
[ -f "$data/whitelist-10k.txt" ] || "$build/bench/make_compare_data" "$data"
numbers="$data/numbers-1m.txt"

export LC_ALL=C  # the other tools at their fastest, comparing bytes as compare does

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs "$@" with standard output to $result and prints the wall time in seconds, or "stopped" when it
# ran out of its time limit.
result="$out/result.txt"
seconds() {
  local start end status=0
  start=$(date +%s.%N)
  timeout "$limit" bash -c '"$@"' _ "$@" >"$result" || status=$?
  end=$(date +%s.%N)
  if [ "$status" -eq 124 ]; then echo stopped; elif [ "$status" -ne 0 ]; then echo "failed: $*" >&2; exit 1
  else echo "$end - $start" | bc -l; fi
}

# "median s (count)" over $runs runs; a command that ran out of time is not run again.
cell() {
  local times=() t
  for _ in $(seq "$runs"); do
    t=$(seconds "$@")
    [ "$t" = stopped ] && { printf '> %s s, stopped' "$limit"; return; }
    times+=("$t")
  done
  printf '%.3f s (%s)' "$(printf '%s\n' "${times[@]}" | median)" "$(wc -l <"$result")"
}

zelvane_same() { "$cli" compare --same "$1" "$2" 2>/dev/null; }
zelvane_different() { "$cli" compare --different "$1" "$2" 2>/dev/null; }
comm_same() { comm -12 <(sort "$1") <(sort "$2"); }
comm_different() { comm -23 <(sort "$1") <(sort "$2"); }
awk_same() { awk 'NR==FNR{a[$0];next} ($0 in a)' "$2" "$1"; }
awk_different() { awk 'NR==FNR{a[$0];next} !($0 in a)' "$2" "$1"; }
grep_same() { grep -Fxf "$2" "$1" || [ $? -eq 1 ]; }
grep_different() { grep -Fxvf "$2" "$1" || [ $? -eq 1 ]; }
export cli
export -f zelvane_same zelvane_different comm_same comm_different awk_same awk_different grep_same grep_different

declare -A cells
for tool in zelvane comm awk grep; do
  limit=600
  [ "$tool" = grep ] && limit=$grep_limit
  for whitelist in 1m 100k; do
    for mode in same different; do
      cells[$tool,$whitelist,$mode]=$(cell "${tool}_$mode" "$numbers" "$data/whitelist-$whitelist.txt")
    done
  done
done
seconds_of() { awk '{ print $1 }' <<<"${cells[$1]}"; }

echo "numbers: $numbers, $(wc -l <"$numbers") lines, $(stat -c %s "$numbers") bytes;" \
  "whitelists: $(stat -c %s "$data/whitelist-1m.txt") and $(stat -c %s "$data/whitelist-100k.txt") bytes;" \
  "median of $runs runs; $(nproc) cores"
echo
echo "| tool | 1M vs 1M, same | 1M vs 1M, different | 1M vs 100k, same | 1M vs 100k, different |"
echo "|---|---|---|---|---|"
for tool in zelvane comm awk grep; do
  case $tool in
    zelvane) name='`zelvane-cli compare --same` / `--different`' ;;
    comm) name='`comm -12` / `-23` of two `sort`s' ;;
    awk) name='awk hash join' ;;
    grep) name='`grep -Fxf` / `-Fxvf`' ;;
  esac
  echo "| $name | ${cells[$tool,1m,same]} | ${cells[$tool,1m,different]} | ${cells[$tool,100k,same]} | ${cells[$tool,100k,different]} |"
done
echo

# The fastest other tool on 1M vs 1M, find different, against compare.
fastest=$(for tool in comm awk grep; do
  t=$(seconds_of "$tool,1m,different")
  [ "$t" = ">" ] || echo "$t $tool"
done | sort -g | head -1)
t_zelvane=$(seconds_of "zelvane,1m,different")
printf '1M vs 1M, find different: compare %.3f s, fastest other tool %s %.3f s: %.1fx faster\n' \
  "$t_zelvane" "${fastest#* }" "${fastest%% *}" "$(echo "${fastest%% *} / $t_zelvane" | bc -l)"

# The naive search costs (scanned tokens) x (searched bytes): extrapolate 10k vs 10k to 1M vs 1M.
naive_ms=$("$build/bench/zelvane_compare_bench" --benchmark_filter='CompareNaively' --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv "$data" 2>/dev/null |
  awk -F, '/CompareNaively/ && !/_(mean|stddev|cv)"/ { t = $3 } END { print t }')
tokens_ratio=$(echo "$(wc -l <"$numbers") / $(wc -l <"$data/numbers-10k.txt")" | bc -l)
bytes_ratio=$(echo "$(stat -c %s "$data/whitelist-1m.txt") / $(stat -c %s "$data/whitelist-10k.txt")" | bc -l)
extrapolated=$(echo "$naive_ms / 1000 * $tokens_ratio * $bytes_ratio" | bc -l)
printf 'naive search, 10k vs 10k: %.3f s; extrapolated to 1M vs 1M: %.0f s (%.1f h): compare is %.0fx faster\n' \
  "$(echo "$naive_ms / 1000" | bc -l)" "$extrapolated" "$(echo "$extrapolated / 3600" | bc -l)" \
  "$(echo "$extrapolated / $t_zelvane" | bc -l)"

# Peak memory, one run each.
whitelist="$data/whitelist-1m.txt"
files_kb=$(( ($(stat -c %s "$numbers") + $(stat -c %s "$whitelist")) / 1024 ))
peak_kb() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'; }
echo
echo "peak memory, 1M vs 1M (the two files: $files_kb KiB):"
echo
echo "| command | peak resident memory | x the two files |"
echo "|---|---|---|"
row() { printf '| %s | %s KiB | %.2fx |\n' "$1" "$2" "$(echo "$2 / $files_kb" | bc -l)"; }
row '`zelvane-cli compare --same`' "$(peak_kb "$cli" compare --same "$numbers" "$whitelist")"
row '`zelvane-cli compare --different`' "$(peak_kb "$cli" compare --different "$numbers" "$whitelist")"
row '`comm -23` of two `sort`s' "$(peak_kb bash -c 'comm_different "$@"' _ "$numbers" "$whitelist")"
row 'awk hash join' "$(peak_kb bash -c 'awk_different "$@"' _ "$numbers" "$whitelist")"
