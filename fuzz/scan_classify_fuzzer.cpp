// Arbitrary bytes through the scanner, whole and in pieces, against a byte-by-byte rendering of the
// scanning rules; every token normalised and classified by both tables; UTF-16 text converted whole
// and in pieces.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/normalize_number.h"
#include "core/number_scanner.h"
#include "core/prefix_table.h"
#include "core/text_encoding.h"
#include "tests/support/test_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The rules as written, a byte at a time: a run of content bytes ends at a separator or the end; a run
// of 4 to 30 bytes is a token (a longer one is none), its text ending at a first zero byte, and a token
// whose text is empty is none either.
std::vector<std::string> ScanByTheRules(std::string_view bytes) {
  std::vector<std::string> tokens;
  std::string run;
  for (std::size_t k = 0; k <= bytes.size(); ++k) {
    if (k < bytes.size() && !zelvane::IsSeparator(static_cast<unsigned char>(bytes[k]))) {
      run.push_back(bytes[k]);
      continue;
    }
    const std::string text = run.substr(0, run.find('\0'));
    if (run.size() >= zelvane::kMinTokenLength && run.size() <= zelvane::kMaxTokenLength && !text.empty()) {
      tokens.push_back(text);
    }
    run.clear();
  }
  return tokens;
}

std::string ConvertInPieces(std::string_view bytes, std::size_t pieceSize) {
  zelvane::Utf16Converter converter(zelvane::Utf16Converter::ByteOrder::LittleEndian);
  std::string out;
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) converter.Convert(bytes.substr(at, pieceSize), out);
  converter.Finish(out);
  return out;
}

bool IsCarrier(zelvane::NumberCategory category) {
  return category == zelvane::NumberCategory::Mobile || category == zelvane::NumberCategory::Unicom ||
         category == zelvane::NumberCategory::Telecom;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t pieceSize = 1 + data[0] % 37;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::vector<std::string> tokens;
  zelvane::ScanNumbers(bytes, [&](std::string_view token) {
    tokens.emplace_back(token);
    const std::string_view number = zelvane::NormalizeNumber(token);
    Check(number.size() <= token.size() && token.ends_with(number));
    // Either table: a carrier's number has 11 bytes that begin with a digit; 小灵通 needs a 0 and an
    // area code; and the tables differ only on numbers of 11 bytes.
    const zelvane::NumberCategory original = zelvane::PrefixTable::Original().Classify(number);
    const zelvane::NumberCategory current = zelvane::PrefixTable::Current().Classify(number);
    for (zelvane::NumberCategory category : {original, current}) {
      Check(zelvane::CategoryIndex(category) < zelvane::kCategoryCount);
      if (IsCarrier(category)) Check(number.size() == 11 && number[0] >= '1' && number[0] <= '9');
      if (category == zelvane::NumberCategory::Phs) Check(number.starts_with('0') && number.size() >= 3);
    }
    Check(original == current || number.size() == 11);
  });
  Check(tokens == ScanByTheRules(bytes));
  Check(zelvane::test::ScanInPieces(bytes, pieceSize) == tokens);

  Check(ConvertInPieces(bytes, pieceSize) == ConvertInPieces(bytes, bytes.size() + 1));
  return 0;
}
