#include "ops/number_comparison.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "core/normalize_number.h"
#include "core/number_file_reader.h"
#include "core/number_scanner.h"
#include "ops/token_search.h"

namespace zelvane {

namespace {

std::string_view UpToFirstZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

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

FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result) {
  NumberFile first;
  NumberFile second;
  if (FileResult error = first.Open(file1)) return error;
  if (FileResult error = second.Open(file2)) return error;
  NumberFile& scannedFile = second.Size() > first.Size() ? second : first;
  NumberFile& searchedFile = second.Size() > first.Size() ? first : second;
  std::string scanned;
  std::string searched;
  if (FileResult error = LoadNumberFile(scannedFile, scanned)) return error;
  if (FileResult error = LoadNumberFile(searchedFile, searched)) return error;
  try {
    result = CompareNumberFiles(scanned, searched, mode);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(scannedFile.path());
  }
  return std::nullopt;
}

}  // namespace zelvane
