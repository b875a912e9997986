// The fast comparison against the plain byte-by-byte search on arbitrary file pairs: the results must be
// identical in both modes, in memory budgets down to a few hundred bytes (tokens spilled to buckets in a
// temporary file), with speed-ups switched off and with repeats dropped.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/speedup_switches.h"
#include "ops/number_comparison.h"
#include "tests/support/naive_comparison.h"

namespace {

std::vector<std::string> Expected(std::string_view scanned, std::string_view searched, zelvane::ComparisonMode mode,
                                  bool unique) {
  const zelvane::NumberList naive = zelvane::test::CompareNumberFilesNaively(scanned, searched, mode);
  std::vector<std::string> listed(naive.begin(), naive.end());
  std::set<std::string> seen;
  if (unique) std::erase_if(listed, [&seen](const std::string& number) { return !seen.insert(number).second; });
  return listed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  // The first byte picks where the two files split and whether the bytes are folded onto a small
  // alphabet of digits and separators, so that tokens often occur in the other file. The second picks
  // the memory budget, the speed-ups switched off and whether repeats are dropped.
  const bool fold = data[0] & 1;
  std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  if (fold) {
    static constexpr char kAlphabet[] = "0123456789+86\n, \r\t";
    for (char& c : bytes) c = c == 0 ? '\0' : kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet - 1)];
  }
  const std::size_t split = bytes.size() * (data[0] >> 1) / 127;
  const std::string_view scanned = std::string_view(bytes).substr(0, split);
  const std::string_view searched = std::string_view(bytes).substr(split);

  zelvane::ComparisonSettings settings;
  const unsigned budget = data[1] & 7;
  settings.memoryBudget = budget == 0 ? std::numeric_limits<std::uint64_t>::max() : std::uint64_t{256} << budget;
  settings.unique = data[1] & 8;
  zelvane::Speedups() = {.lengthClasses = !(data[1] & 16),
                         .partitioning = !(data[1] & 32),
                         .filter = !(data[1] & 64),
                         .lookAhead = !(data[1] & 128)};
  for (const auto mode : {zelvane::ComparisonMode::FindSame, zelvane::ComparisonMode::FindDifferent}) {
    settings.mode = mode;
    std::vector<std::string> listed;
    const zelvane::FileResult error =
        zelvane::CompareTexts(scanned, searched, settings, [&](std::string_view n) { listed.emplace_back(n); });
    if (error || listed != Expected(scanned, searched, mode, settings.unique)) std::abort();
  }
  return 0;
}
