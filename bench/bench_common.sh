# Sourced by the benchmark scripts: the Release build they use and the number files they time.

build=${BUILD_DIR:-build-release}
data=bench/data
mkdir -p "$data"

# Configures the Release build once and builds the given targets in it.
build_targets() {
  [ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVANE_BUILD_BENCHMARKS=ON >/dev/null
  cmake --build "$build" -j2 --target "$@" >/dev/null
}

# The path of a file of COUNT numbers, made on first use.
number_file() {
  local file="$data/numbers-$1.txt"
  [ -f "$file" ] || "$build/bench/make_number_file" "$1" "$file"
  echo "$file"
}

# Runs "$@" once and prints the wall time in seconds.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
