#include "ops/number_comparison.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "core/carrier_prefix_table.h"
#include "core/number_file_reader.h"
#include "core/number_scanner.h"
#include "ops/token_search.h"

namespace zelvane {

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

NumberList CompareNumberFiles(std::string_view scanned, std::string_view searched, ComparisonMode mode) {
  const std::vector<bool> found = FindTokensIn(scanned, UpToFirstZero(searched));
  const bool wanted = mode == ComparisonMode::FindSame;
  NumberList result;
  std::size_t token = 0;
  ScanNumbers(scanned, [&](std::string_view text) {
    if (found[token++] == wanted) result.Append(NormalizeNumber(text));
  });
  return result;
}

NumberList CompareNumberFilesNaively(std::string_view scanned, std::string_view searched, ComparisonMode mode) {
  const int wanted = mode == ComparisonMode::FindSame ? 1 : -1;
  NumberList result;
  ScanNumbers(scanned, [&](std::string_view token) {
    if (ContainsSubstring(searched, token) == wanted) result.Append(NormalizeNumber(token));
  });
  return result;
}

FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result) {
  std::uint64_t size1 = 0;
  std::uint64_t size2 = 0;
  if (FileResult error = NumberFileSize(file1, size1)) return error;
  if (FileResult error = NumberFileSize(file2, size2)) return error;
  const std::filesystem::path& scannedPath = size2 > size1 ? file2 : file1;
  const std::filesystem::path& searchedPath = size2 > size1 ? file1 : file2;
  std::string scanned;
  std::string searched;
  if (FileResult error = LoadNumberFile(scannedPath, scanned)) return error;
  if (FileResult error = LoadNumberFile(searchedPath, searched)) return error;
  try {
    result = CompareNumberFiles(scanned, searched, mode);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(scannedPath);
  }
  return std::nullopt;
}

}  // namespace zelvane
