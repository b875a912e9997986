#!/usr/bin/env bash
# Times `zelvane-cli classify` on a 10-million-number file against copying the same bytes with dd and
# flushing the copy to disk (as classify flushes its files before it replaces any), with cat (not
# flushed) and against a short awk script doing the three-digit rule; median of RUNS interleaved runs,
# with the numbers each one writes and classify's peak memory.
# Usage: bench/classify_bench.sh [COUNT] [RUNS] [PROFILE]
#   PROFILE: mixed (default: make_number_file's mobiles, landlines and service numbers, CR LF, LF and commas)
#   or real (make_compare_data's numbers-real file, as users' files are: 1000000 or 10000000 lines).
#   SEPARATOR: what classify writes after each number (default: its own, CR LF).
#   BY: classify's --by (such as city or city,carrier): files by home area, in an output folder of their own.
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000000}
runs=${2:-5}
profile=${3:-mixed}
. bench/bench_common.sh
case $profile in
  mixed)
    build_targets zelvane-cli make_number_file
    input=$(number_file "$count")
    ;;
  real)
    case $count in 1000000) tag=1m ;; 10000000) tag=10m ;; *) echo "real: COUNT is 1000000 or 10000000" >&2; exit 2 ;; esac
    build_targets zelvane-cli make_compare_data
    input="$data/compare/numbers-real-$tag.txt"
    [ -f "$input" ] || "$build/bench/make_compare_data" "$data/compare" "$tag" >/dev/null
    ;;
  *) echo "unknown profile $profile" >&2; exit 2 ;;
esac
options=()
[ -z "${SEPARATOR:-}" ] || options=(--separator "$SEPARATOR")
[ -z "${BY:-}" ] || options+=(--by "$BY")

awk_classify() {
  mkdir -p "$data/awk-out"
  LC_ALL=C awk -v dir="$data/awk-out" '
    BEGIN {
      RS = "[\r\n ,]+"
      split("134 135 136 137 138 139 150 151 152 157 158 159 187 188", m, " "); for (i in m) c[m[i]] = "mobile"
      split("130 131 132 155 156 185 186", u, " "); for (i in u) c[u[i]] = "unicom"
      split("133 153 180 189", t, " "); for (i in t) c[t[i]] = "telecom"
    }
    length($0) >= 4 && length($0) <= 30 {
      n = $0
      if (substr(n, 1, 3) == "+86") n = substr(n, 4)
      else if (substr(n, 1, 2) == "86") n = substr(n, 3)
      else if (substr(n, 1, 2) == "01" && substr(n, 1, 3) != "010") n = substr(n, 2)
      p = substr(n, 1, 3)
      if (p ~ /^0[1-9]/) k = "phs"; else if (length(n) == 11 && (p in c)) k = c[p]; else k = "other"
      print n > (dir "/" k ".txt")
    }' "$1"
}

classify_out="$data/classify${BY:+-by-${BY/,/-}}-out"
mkdir -p "$classify_out"
size=$(stat -c %s "$input")
# One run of each in turn, so that the machine's drift touches them alike; awk (many seconds) once.
t_classify="" t_cat="" t_sync=""
for _ in $(seq "$runs"); do
  t_classify+="$(seconds "$build/cli/zelvane-cli" classify "${options[@]}" --out "$classify_out" "$input") "
  t_cat+="$(seconds sh -c "cat '$input' > '$data/cat-copy.txt'") "
  t_sync+="$(seconds dd if="$input" of="$data/dd-copy.txt" bs=1M conv=fsync status=none) "
done
t_classify=$(echo "$t_classify" | tr ' ' '\n' | grep . | median)
t_cat=$(echo "$t_cat" | tr ' ' '\n' | grep . | median)
t_sync=$(echo "$t_sync" | tr ' ' '\n' | grep . | median)
t_awk=$(seconds awk_classify "$input")
status=$("$build/cli/zelvane-cli" classify "${options[@]}" --out "$classify_out" "$input")
status=${status%%$'\n'*}  # the totals; by area a line per file follows
peak_kb=$(/usr/bin/time -f %M "$build/cli/zelvane-cli" classify "${options[@]}" --out "$classify_out" "$input" 2>&1 >/dev/null)
n_classify=$(cat "$classify_out"/*.txt | wc -l)
n_awk=$(cat "$data/awk-out"/*.txt | wc -l)
ratio() { echo "$1 / $2" | bc -l; }

echo "input: $input, $count lines, $size bytes; separator ${SEPARATOR:-CR LF}; median of $runs interleaved runs; $(nproc) cores"
echo "zelvane-cli: $status"
echo
echo "| command | median time | numbers written | vs dd conv=fsync |"
echo "|---|---|---|---|"
printf '| `zelvane-cli classify%s` | %.3f s | %s | %.2fx |\n' "${BY:+ --by $BY}" "$t_classify" "$n_classify" "$(ratio "$t_classify" "$t_sync")"
printf '| `dd bs=1M conv=fsync` (a copy flushed to disk, as classify flushes its files) | %.3f s | %s bytes | 1.00x |\n' "$t_sync" "$size"
printf '| `cat FILE > OUT` (not flushed) | %.3f s | %s bytes | %.2fx |\n' "$t_cat" "$size" "$(ratio "$t_cat" "$t_sync")"
printf '| awk three-digit rule (one run) | %.3f s | %s | %.2fx |\n' "$t_awk" "$n_awk" "$(ratio "$t_awk" "$t_sync")"
echo
printf 'classify is %.1fx faster than awk; peak memory %s KiB (%.2fx the input)\n' \
  "$(ratio "$t_awk" "$t_classify")" "$peak_kb" "$(echo "$peak_kb * 1024 / $size" | bc -l)"
