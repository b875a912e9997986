#include "tests/support/test_text.h"

#include "core/number_scanner.h"

namespace zelvane::test {

std::string Utf16Le(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

std::string Utf16Be(std::string_view ascii) {
  std::string out = "\xFE\xFF";
  for (char c : ascii) out += std::string{'\0', c};
  return out;
}

std::vector<std::string> ScanInPieces(std::string_view bytes, std::size_t pieceSize) {
  std::vector<std::string> tokens;
  const auto receive = [&tokens](std::string_view token) { tokens.emplace_back(token); };
  NumberScanner scanner;
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) scanner.Feed(bytes.substr(at, pieceSize), receive);
  scanner.Finish(receive);
  return tokens;
}

}  // namespace zelvane::test
