#!/usr/bin/env bash
# Times `zelvane-cli compare` beside sort | comm, an awk hash join and grep -Fxf / -Fxvf, all writing to a
# file, the tools of a table interleaved run by run; median of RUNS runs each, with the count of numbers
# each one lists:
#   - a million numbers against a million-number whitelist that shares half of them, and a 100k one;
#   - against the same whitelist with junk lines (4 to 40 bytes after one line in fifty), which makes
#     the whitelist the larger file: it is scanned, junk and all;
#   - ten million against ten million (clean), with the million again for the ratio;
#   - ten million against ten million in --memory 256M: time and peak memory (/usr/bin/time -v);
#   - realistic files (numbers-real-*, whitelist-real-*: service numbers repeated thousands of times,
#     landlines, +86 forms, text, numbers in groups...) both ways round: a realistic list scanned against
#     the clean whitelist, and the clean list scanned against a realistic whitelist; 1M and 10M;
# then each speed-up switched off in turn (zelvane_compare_bench, in memory, 7 runs interleaved), the
# naive search extrapolated, and peak memory. Prints markdown tables.
# Usage: bench/compare_bench.sh [BUILD_DIR] [RUNS]
#   GREP_LIMIT: seconds before grep is stopped (default 60); SKIP_10M=1 leaves the ten-million cases out;
#   SECTIONS: some of "tools junk 10m budget real speedups naive memory" (default: all of them).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-release}
runs=${2:-5}
grep_limit=${GREP_LIMIT:-60}
data=bench/data/compare
out=bench/results/compare
mkdir -p "$data" "$out"
[ -x /usr/bin/time ] || { echo "compare_bench.sh: /usr/bin/time is missing (Debian package: time)" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVANE_BUILD_GUI=OFF -DZELVANE_BUILD_BENCHMARKS=ON >/dev/null
fi
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" || echo "warning: $build is not a Release build" >&2
cmake --build "$build" -j2 --target zelvane-cli make_compare_data zelvane_compare_bench >/dev/null
cli="$build/cli/zelvane-cli"
[ -f "$data/whitelist-real-1m.txt" ] || "$build/bench/make_compare_data" "$data" 10k 1m
[ -n "${SKIP_10M:-}" ] || [ -f "$data/whitelist-real-10m.txt" ] || "$build/bench/make_compare_data" "$data" 10m
sections=" ${SECTIONS:-tools junk 10m budget real speedups naive memory} "
wanted() { [[ $sections == *" $1 "* ]]; }

export LC_ALL=C  # the other tools at their fastest, comparing bytes as compare does

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs "$@" with standard output to $result and prints the wall time in seconds, or "stopped" when it
# ran out of $limit seconds.
result="$out/result.txt"
seconds() {
  local start end status=0
  start=$(date +%s.%N)
  timeout "$limit" bash -c '"$@"' _ "$@" >"$result" || status=$?
  end=$(date +%s.%N)
  if [ "$status" -eq 124 ]; then echo stopped; elif [ "$status" -ne 0 ]; then echo "failed: $*" >&2; exit 1
  else echo "$end - $start" | bc -l; fi
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

# Each cell is "tool mode numbers whitelist"; cells run in turn, runs times over. times[cell] collects
# the seconds, counts[cell] the lines listed; a cell that ran out of time is not run again.
declare -A times counts
interleave() {
  local cell tool mode numbers whitelist t
  for _ in $(seq "$runs"); do
    for cell in "$@"; do
      read -r tool mode numbers whitelist <<<"$cell"
      [ "${times[$cell]:-}" = stopped ] && continue
      limit=600
      [ "$tool" = grep ] && limit=$grep_limit
      t=$(seconds "${tool}_$mode" "$data/$numbers.txt" "$data/$whitelist.txt")
      if [ "$t" = stopped ]; then times[$cell]=stopped; else times[$cell]+="$t "; fi
      counts[$cell]=$(wc -l <"$result")
    done
  done
}
secs() { [ "${times[$1]}" = stopped ] && echo stopped || tr ' ' '\n' <<<"${times[$1]}" | grep . | median; }
cell() {
  local s
  s=$(secs "$1")
  if [ "$s" = stopped ]; then printf '> %s s, stopped' "$grep_limit"; else printf '%.3f s (%s)' "$s" "${counts[$1]}"; fi
}
ratio() { printf '%.2f' "$(echo "$(secs "$1") / $(secs "$2")" | bc -l)"; }
bytes() { stat -c %s "$data/$1.txt"; }
tool_name() {
  case $1 in
    zelvane) echo '`zelvane-cli compare`' ;;
    comm) echo '`sort` + `comm`' ;;
    awk) echo 'awk hash join' ;;
    grep) echo '`grep -Fxf` / `-Fxvf`' ;;
  esac
}

echo "$(nproc) cores; median of $runs runs, tools interleaved run by run; counts of numbers listed in brackets"
echo
clean="zelvane different numbers-1m whitelist-1m"
if wanted tools || wanted junk; then
cells=()
for tool in zelvane comm awk grep; do
  for pair in "numbers-1m whitelist-1m" "numbers-1m whitelist-100k"; do
    for mode in same different; do cells+=("$tool $mode $pair"); done
  done
done
for tool in zelvane comm; do cells+=("$tool different numbers-1m whitelist-junk-1m"); done
interleave "${cells[@]}"

echo "A million numbers ($(bytes numbers-1m) bytes) against whitelists of a million ($(bytes whitelist-1m) bytes) and 100k:"
echo
echo "| tool | 1M vs 1M, same | 1M vs 1M, different | 1M vs 100k, same | 1M vs 100k, different |"
echo "|---|---|---|---|---|"
for tool in zelvane comm awk grep; do
  row="| $(tool_name $tool) |"
  for pair in "numbers-1m whitelist-1m" "numbers-1m whitelist-100k"; do
    for mode in same different; do row+=" $(cell "$tool $mode $pair") |"; done
  done
  echo "$row"
done
echo

junk="zelvane different numbers-1m whitelist-junk-1m"
echo "Junk in the whitelist: $(bytes whitelist-junk-1m) bytes, $(wc -l <"$data/whitelist-junk-1m.txt") lines (the clean one: $(wc -l <"$data/whitelist-1m.txt")); find different:"
echo
echo "| tool | 1M vs clean 1M | 1M vs junk 1M | junk / clean |"
echo "|---|---|---|---|"
for tool in zelvane comm; do
  echo "| $(tool_name $tool) | $(cell "$tool different numbers-1m whitelist-1m") | $(cell "$tool different numbers-1m whitelist-junk-1m") | $(ratio "$tool different numbers-1m whitelist-junk-1m" "$tool different numbers-1m whitelist-1m") |"
done
echo
echo "junk: compare takes $(ratio "$junk" "comm different numbers-1m whitelist-junk-1m") of sort + comm's time and $(ratio "$junk" "$clean") of its own on the clean whitelist"
echo
fi

if [ -z "${SKIP_10M:-}" ] && wanted 10m; then
  big="zelvane different numbers-10m whitelist-10m"
  interleave "$clean" "$big" "comm different numbers-10m whitelist-10m"
  echo "Ten million ($(bytes numbers-10m) bytes) against ten million ($(bytes whitelist-10m) bytes), find different:"
  echo
  echo "| tool | 1M vs 1M | 10M vs 10M | 10M / 1M |"
  echo "|---|---|---|---|"
  echo "| $(tool_name zelvane) | $(cell "$clean") | $(cell "$big") | $(ratio "$big" "$clean") |"
  echo "| $(tool_name comm) | | $(cell "comm different numbers-10m whitelist-10m") | |"
  echo
  echo "10M: compare takes $(ratio "$big" "comm different numbers-10m whitelist-10m") of sort + comm's time"
  echo
fi

if [ -z "${SKIP_10M:-}" ] && wanted budget; then
  # The memory budget: peak resident memory and time of one run each, and the same result.
  report() { /usr/bin/time -v "$@" 2>&1 >"$result" | awk -F': ' '/Elapsed \(wall clock\)/ { t = $2 } /Maximum resident set size/ { m = $2 } END { printf "%s | %.0f MiB", t, m / 1024 }'; }
  temporary=$(mktemp -d)
  echo "Ten million against ten million, find different, in a memory budget (temporary files in $temporary):"
  echo
  echo "| command | wall time | peak resident memory | result |"
  echo "|---|---|---|---|"
  for budget in "" 256M; do
    row=$(report "$cli" compare --different ${budget:+--memory $budget --temp-dir "$temporary"} "$data/numbers-10m.txt" "$data/whitelist-10m.txt")
    sum=$(md5sum <"$result" | cut -c1-12)
    echo "| \`compare --different${budget:+ --memory $budget}\` | $row | $(wc -l <"$result") numbers, md5 $sum |"
  done
  rmdir "$temporary"
  echo
fi

# Realistic files both ways round, find different; the larger file is scanned.
if wanted real; then
  pairs=("numbers-real-1m whitelist-1m" "numbers-1m whitelist-real-1m")
  [ -n "${SKIP_10M:-}" ] || pairs+=("numbers-real-10m whitelist-10m" "numbers-10m whitelist-real-10m")
  cells=()
  for pair in "${pairs[@]}"; do for tool in zelvane comm; do cells+=("$tool different $pair"); done; done
  interleave "${cells[@]}"
  echo "Realistic files ($(bytes numbers-real-1m) and $(bytes whitelist-real-1m) bytes at 1M), find different:"
  echo
  echo "| scanned vs searched | \`zelvane-cli compare\` | \`sort\` + \`comm\` | compare / comm | 10M / 1M |"
  echo "|---|---|---|---|---|"
  for pair in "${pairs[@]}"; do
    read -r numbers whitelist <<<"$pair"
    scale=""
    if [[ $numbers == *10m* ]]; then
      small="zelvane different ${numbers/10m/1m} ${whitelist/10m/1m}"
      scale="$(ratio "zelvane different $pair" "$small")x"
    fi
    echo "| $numbers vs $whitelist | $(cell "zelvane different $pair") | $(cell "comm different $pair") | $(ratio "zelvane different $pair" "comm different $pair") | $scale |"
  done
  echo
fi

# Each speed-up switched off in turn, in memory.
if wanted speedups; then
filter='Compare/(1m-vs-1m|1m-vs-junk-1m|10m-vs-10m|real-1m-vs-1m|real-10m-vs-10m)/'
"$build/bench/zelvane_compare_bench" --benchmark_filter="$filter" --benchmark_enable_random_interleaving=true \
  --benchmark_repetitions=7 --benchmark_report_aggregates_only=true --benchmark_format=csv "$data" 2>/dev/null |
  awk -F, '/_median"/ { split($1, n, "/"); sub(/_median"/, "", n[3]); t[n[2], n[3]] = $3; c[n[2]] = 1; v[n[3]] = 1 }
    END {
      print "Each speed-up switched off in turn (`zelvane_compare_bench`, in memory, median of 7 interleaved, ms):\n"
      printf "| variant |"; for (k in c) printf " %s |", k; print ""
      printf "|---|"; for (k in c) printf "---|"; print ""
      for (w in v) { printf "| %s |", w; for (k in c) printf " %.0f (%.2fx) |", t[k, w], t[k, w] / t[k, "all"]; print "" }
    }'
echo
fi

# The naive search costs (scanned tokens) x (searched bytes): extrapolate 10k vs 10k to 1M vs 1M.
if wanted naive; then
[ -n "${times[$clean]:-}" ] || interleave "$clean"
naive_ms=$("$build/bench/zelvane_compare_bench" --benchmark_filter='CompareNaively' --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv "$data" 2>/dev/null |
  awk -F, '/CompareNaively/ && /_median"/ { print $3 }')
tokens_ratio=$(echo "$(wc -l <"$data/numbers-1m.txt") / $(wc -l <"$data/numbers-10k.txt")" | bc -l)
bytes_ratio=$(echo "$(bytes whitelist-1m) / $(bytes whitelist-10k)" | bc -l)
extrapolated=$(echo "$naive_ms / 1000 * $tokens_ratio * $bytes_ratio" | bc -l)
printf 'naive search, 10k vs 10k: %.3f s; extrapolated to 1M vs 1M: %.0f s (%.1f h): compare is %.0fx faster\n' \
  "$(echo "$naive_ms / 1000" | bc -l)" "$extrapolated" "$(echo "$extrapolated / 3600" | bc -l)" \
  "$(echo "$extrapolated / $(secs "$clean")" | bc -l)"
fi

# Peak memory, one run each.
wanted memory || exit 0
numbers="$data/numbers-1m.txt"
whitelist="$data/whitelist-1m.txt"
files_kb=$(( ($(bytes numbers-1m) + $(bytes whitelist-1m)) / 1024 ))
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
