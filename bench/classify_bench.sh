#!/usr/bin/env bash
# Times `zelvane-cli classify` on a 10-million-number file against copying the same bytes with cat
# (and with the copy flushed to disk, which classify does before it replaces a file) and against a
# short awk script doing the three-digit rule; median of RUNS runs each, with the
# numbers each one writes and classify's peak memory. Usage: bench/classify_bench.sh [COUNT] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000000}
runs=${2:-5}
build=${BUILD_DIR:-build-release}
data=bench/data
mkdir -p "$data"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVANE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target zelvane-cli make_number_file >/dev/null
input="$data/numbers-$count.txt"
[ -f "$input" ] || "$build/bench/make_number_file" "$count" "$input"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
seconds() {  # runs "$@" once and prints the wall time in seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
time_runs() { for _ in $(seq "$runs"); do seconds "$@"; done | median; }

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

classify_out="$data/classify-out"
mkdir -p "$classify_out"
size=$(stat -c %s "$input")
t_classify=$(time_runs "$build/cli/zelvane-cli" classify --separator '\n' --out "$classify_out" "$input")
t_cat=$(time_runs sh -c "cat '$input' > '$data/cat-copy.txt'")
t_sync=$(time_runs dd if="$input" of="$data/dd-copy.txt" bs=1M conv=fsync status=none)
t_awk=$(time_runs awk_classify "$input")
status=$("$build/cli/zelvane-cli" classify --separator '\n' --out "$classify_out" "$input")
peak_kb=$(/usr/bin/time -f %M "$build/cli/zelvane-cli" classify --out "$classify_out" "$input" 2>&1 >/dev/null)
n_classify=$(cat "$classify_out"/*.txt | wc -l)
n_awk=$(cat "$data/awk-out"/*.txt | wc -l)

echo "input: $input, $count lines, $size bytes; median of $runs runs; $(nproc) cores"
echo "zelvane-cli: $status"
echo
echo "| command | median time | numbers written | vs cat |"
echo "|---|---|---|---|"
printf '| `zelvane-cli classify` | %.3f s | %s | %.2fx |\n' "$t_classify" "$n_classify" "$(echo "$t_classify / $t_cat" | bc -l)"
printf '| `cat FILE > OUT` | %.3f s | %s bytes | 1.00x |\n' "$t_cat" "$size"
printf '| `dd conv=fsync` (the copy flushed to disk, as classify does) | %.3f s | %s bytes | %.2fx |\n' "$t_sync" "$size" "$(echo "$t_sync / $t_cat" | bc -l)"
printf '| awk three-digit rule | %.3f s | %s | %.2fx |\n' "$t_awk" "$n_awk" "$(echo "$t_awk / $t_cat" | bc -l)"
echo
printf 'classify is %.1fx faster than awk; peak memory %s KiB (%.2fx the input)\n' \
  "$(echo "$t_awk / $t_classify" | bc -l)" "$peak_kb" "$(echo "$peak_kb * 1024 / $size" | bc -l)"
