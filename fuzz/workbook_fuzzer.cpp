// Arbitrary bytes read as a workbook: as the zip file itself when they begin like one, else as a
// sheet's XML and its shared strings (split at the first zero byte) packed into a workbook. Every
// number read is one as the program normalises it; a bad file is an error, never a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/normalize_number.h"
#include "ops/number_input.h"
#include "tests/support/test_files.h"
#include "tests/support/test_workbook.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// A folder of the run's own for the one workbook it writes at a time, removed at the end.
const zelvane::test::TemporaryFolder folder;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path path = folder / "book.xlsx";
  if (bytes.starts_with("PK")) {
    zelvane::test::WriteFile(path, bytes);
  } else {
    const std::size_t zero = bytes.find('\0');
    const std::string cells(bytes.substr(0, zero));
    const std::string strings(zero == std::string_view::npos ? std::string_view() : bytes.substr(zero + 1));
    auto parts = zelvane::test::WorkbookParts({{"Sheet1", cells}}, {"<t>x</t>"});
    for (auto& part : parts) {
      if (part.name == "xl/sharedStrings.xml") part.data = strings;
    }
    zelvane::test::WriteZip(path, parts);
  }
  for (const char* column : {"", "B", "手机"}) {
    zelvane::InputReading reading;
    reading.column = column;
    std::string text;
    const zelvane::FileResult error = zelvane::ReadInput(path, zelvane::InputKinds::RegularFiles, reading,
                                                         [&text](std::string_view piece) { text += piece; });
    if (error) continue;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
      end = text.find('\n', at);
      Check(end != std::string::npos);
      const std::string_view number = std::string_view(text).substr(at, end - at);
      Check(number.size() >= 10 && number.size() <= 12 && zelvane::NormalizeNumber(number) == number);
    }
  }
  return 0;
}
