#!/usr/bin/env bash
# Times `zelvane-cli classify --hash md5` and `--hash sha256` on a file shaped like users' files (make_compare_data's
# numbers-real file: 10,000,000 lines by default) against a Python hashlib loop over the same file that
# does less (each line stripped and hashed, no sorting, nothing left out); the runs interleaved, the
# median of RUNS of each, with the cores used (user + system time over wall time).
# Usage: bench/hash_bench.sh [COUNT] [RUNS]   (COUNT 1000000 or 10000000)
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-10000000}
runs=${2:-3}
. bench/bench_common.sh
case $count in 1000000) tag=1m ;; 10000000) tag=10m ;; *) echo "COUNT is 1000000 or 10000000" >&2; exit 2 ;; esac
build_targets zelvane-cli make_compare_data
input="$data/compare/numbers-real-$tag.txt"
[ -f "$input" ] || "$build/bench/make_compare_data" "$data/compare" "$tag" >/dev/null
out="$data/hash-out"
mkdir -p "$out"

loop="$data/hash_loop.py"
cat > "$loop" <<'PYTHON'
import hashlib, sys
algorithm = getattr(hashlib, sys.argv[1])
with open(sys.argv[2], "rb") as numbers, open(sys.argv[3], "w") as out:
    for line in numbers:
        out.write(algorithm(line.strip()).hexdigest() + "\n")
PYTHON

# Wall seconds and the cores used: "SECONDS CORES".
timed() {
  /usr/bin/time -f '%e %U %S' "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%s %.2f\n", $1, ($2 + $3) / ($1 > 0 ? $1 : 1) }'
}

declare -A times cores
for _ in $(seq "$runs"); do
  for digest in md5 sha256; do
    read -r t c < <(timed "$build/cli/zelvane-cli" classify --hash "$digest" --out "$out/$digest" "$input")
    times[cli-$digest]+="$t " cores[cli-$digest]+="$c "
    read -r t c < <(timed python3 "$loop" "$digest" "$input" "$out/python-$digest.txt")
    times[python-$digest]+="$t " cores[python-$digest]+="$c "
  done
done
med() { echo "$1" | tr ' ' '\n' | grep . | median; }
hashed=$(cat "$out/md5"/*.txt | wc -l)

echo "input: $input, $count lines, $(stat -c %s "$input") bytes; median of $runs interleaved runs; $(nproc) cores"
echo "zelvane-cli: $("$build/cli/zelvane-cli" classify --hash md5 --out "$out/md5" "$input" | tr '\n' ' ')"
echo
echo "| digest | \`zelvane-cli classify --hash\` | cores used | Python hashlib loop | cores used | classify is |"
echo "|---|---|---|---|---|---|"
for digest in md5 sha256; do
  cli=$(med "${times[cli-$digest]}") python=$(med "${times[python-$digest]}")
  printf '| %s | %.2f s (%s digests) | %s | %.2f s | %s | %.1fx faster |\n' "$digest" "$cli" "$hashed" \
    "$(med "${cores[cli-$digest]}")" "$python" "$(med "${cores[python-$digest]}")" "$(echo "$python / $cli" | bc -l)"
done
