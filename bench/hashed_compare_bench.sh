#!/usr/bin/env bash
# Times `zelvane-cli compare` of a million numbers against the MD5 and the SHA-256 list of a million-number
# whitelist beside its plain comparison with the whitelist itself (make_compare_data's numbers-1m and
# whitelist-1m), each writing its result to a file, interleaved run by run: the median of RUNS runs, the
# ratio to the plain comparison and the numbers each one lists (the same for both digests; the plain
# comparison lists more as different, since it looks for a number's token as written, +86 and all, while
# a digest is of the normalised number). The lists are made once with Python's hashlib.
# Usage: bench/hashed_compare_bench.sh [RUNS] [MODE]   (MODE: same or different, default different)
#   BEFORE: another build's zelvane-cli, whose plain comparison is timed in the same runs (what looking
#   at the files for a hashed list costs a plain comparison).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-3}
mode=${2:-different}
. bench/bench_common.sh
build_targets zelvane-cli make_compare_data
cli="$build/cli/zelvane-cli"
compare="$data/compare"
[ -f "$compare/whitelist-1m.txt" ] || "$build/bench/make_compare_data" "$compare" 1m >/dev/null
for kind in md5 sha256; do
  list="$compare/whitelist-1m-$kind.txt"
  [ -f "$list" ] || python3 -c 'import hashlib, sys
digest = getattr(hashlib, sys.argv[1])
sys.stdout.write("".join(digest(n).hexdigest() + "\n" for n in sys.stdin.buffer.read().split()))' "$kind" \
    <"$compare/whitelist-1m.txt" >"$list"
done

declare -A times
for _ in $(seq "$runs"); do
  [ -z "${BEFORE:-}" ] || times[before]+="$(seconds "$BEFORE" compare "--$mode" --quiet --out "$data/result-before.txt" \
    "$compare/numbers-1m.txt" "$compare/whitelist-1m.txt") "
  for list in whitelist-1m whitelist-1m-md5 whitelist-1m-sha256; do
    times[$list]+="$(seconds "$cli" compare "--$mode" --quiet --out "$data/result-$list.txt" \
      "$compare/numbers-1m.txt" "$compare/$list.txt") "
  done
done

secs() { tr ' ' '\n' <<<"${times[$1]}" | grep . | median; }
echo "$(nproc) cores; compare --$mode, numbers-1m against each list; median of $runs interleaved runs"
echo
echo "| list | bytes | time | x plain | numbers listed |"
echo "|---|---|---|---|---|"
for list in whitelist-1m whitelist-1m-md5 whitelist-1m-sha256; do
  printf '| %s | %s | %.3f s | %.2f | %s |\n' "$list" "$(stat -c %s "$compare/$list.txt")" "$(secs "$list")" \
    "$(echo "$(secs "$list") / $(secs whitelist-1m)" | bc -l)" "$(wc -l <"$data/result-$list.txt")"
done
[ -z "${BEFORE:-}" ] || printf '| whitelist-1m, the build before | | %.3f s | %.2f | %s |\n' "$(secs before)" \
  "$(echo "$(secs before) / $(secs whitelist-1m)" | bc -l)" "$(wc -l <"$data/result-before.txt")"
cmp -s "$data/result-whitelist-1m-md5.txt" "$data/result-whitelist-1m-sha256.txt" ||
  { echo "the MD5 and SHA-256 results differ" >&2; exit 1; }
