// The fast comparison against the plain byte-by-byte search on arbitrary file pairs: the results
// must be identical in both modes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ops/number_comparison.h"
#include "tests/support/naive_comparison.h"

namespace {

std::vector<std::string> Contents(const zelvane::NumberList& list) { return {list.begin(), list.end()}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte picks where the two files split and whether the bytes are folded onto a small
  // alphabet of digits and separators, so that tokens often occur in the other file.
  const bool fold = data[0] & 1;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (fold) {
    static constexpr char kAlphabet[] = "0123456789+86\n, \r\t";
    for (char& c : bytes) c = c == 0 ? '\0' : kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet - 1)];
  }
  const std::size_t split = bytes.size() * (data[0] >> 1) / 127;
  const std::string_view scanned = std::string_view(bytes).substr(0, split);
  const std::string_view searched = std::string_view(bytes).substr(split);
  for (const auto mode : {zelvane::ComparisonMode::FindSame, zelvane::ComparisonMode::FindDifferent}) {
    if (Contents(zelvane::CompareNumberFiles(scanned, searched, mode)) !=
        Contents(zelvane::test::CompareNumberFilesNaively(scanned, searched, mode))) {
      std::abort();
    }
  }
  return 0;
}
