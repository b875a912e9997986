#include "tests/support/naive_comparison.h"

#include "core/normalize_number.h"
#include "core/number_scanner.h"

namespace zelvane::test {

namespace {

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

int ContainsSubstring(std::string_view haystack, std::string_view needle) {
  haystack = UpToFirstZero(haystack);
  needle = UpToFirstZero(needle);
  if (needle.empty()) return -1;
  for (std::size_t start = 0; start < haystack.size(); ++start) {
    std::size_t matched = 0;
    while (matched < needle.size() && start + matched < haystack.size() &&
           haystack[start + matched] == needle[matched]) {
      ++matched;
    }
    if (matched == needle.size()) return 1;
  }
  return -1;
}

NumberList CompareNumberFilesNaively(std::string_view scanned, std::string_view searched, ComparisonMode mode) {
  const int wanted = mode == ComparisonMode::FindSame ? 1 : -1;
  NumberList result;
  ScanNumbers(scanned, [&](std::string_view token) {
    if (ContainsSubstring(searched, token) == wanted) result.Append(NormalizeNumber(token));
  });
  return result;
}

}  // namespace zelvane::test
