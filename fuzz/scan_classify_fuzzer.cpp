// Arbitrary bytes through the scanner, normalisation and classification, whole and in pieces;
// UTF-16 text through the streaming converter, whole and in pieces.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/carrier_prefix_table.h"
#include "core/category_lists.h"
#include "core/number_scanner.h"
#include "core/text_encoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> ScanInPieces(std::string_view bytes, std::size_t pieceSize) {
  std::vector<std::string> tokens;
  const auto receive = [&tokens](std::string_view token) { tokens.emplace_back(token); };
  zelvane::NumberScanner scanner;
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) scanner.Feed(bytes.substr(at, pieceSize), receive);
  scanner.Finish(receive);
  return tokens;
}

std::string ConvertInPieces(std::string_view bytes, std::size_t pieceSize) {
  zelvane::StreamingConverter converter("UTF-16LE", "GBK//TRANSLIT");
  std::string out;
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) converter.Convert(bytes.substr(at, pieceSize), out);
  converter.Finish(out);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t pieceSize = 1 + data[0] % 37;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::vector<std::string> tokens;
  zelvane::CategoryCounts counts{};
  zelvane::ScanNumbers(bytes, [&](std::string_view token) {
    Check(!token.empty() && token.size() <= zelvane::kMaxTokenLength);
    for (char c : token) Check(c != 0 && !zelvane::IsSeparator(static_cast<unsigned char>(c)));
    const std::string_view number = zelvane::NormalizeNumber(token);
    Check(number.size() <= token.size() && token.ends_with(number));
    const zelvane::NumberCategory category = zelvane::ClassifyNumber(number);
    Check(zelvane::CategoryIndex(category) < zelvane::kCategoryCount);
    ++counts[zelvane::CategoryIndex(category)];
    tokens.emplace_back(token);
  });
  std::uint64_t total = 0;
  for (std::uint64_t count : counts) total += count;
  Check(total == tokens.size());
  Check(ScanInPieces(bytes, pieceSize) == tokens);

  Check(ConvertInPieces(bytes, pieceSize) == ConvertInPieces(bytes, bytes.size() + 1));
  return 0;
}
