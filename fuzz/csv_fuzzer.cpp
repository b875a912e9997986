// Arbitrary bytes read as a CSV file, whole and cut in two at every kind of place: the same numbers
// either way, each a number as the program normalises it, for every kind of column choice.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/normalize_number.h"
#include "ops/cell_numbers.h"
#include "ops/csv_reader.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> Read(std::string_view csv, const std::string& column, std::size_t cut) {
  std::vector<std::string> numbers;
  zelvane::CellNumbers cells(
      zelvane::ColumnChoice{column, column.empty() ? std::vector<std::string>{} : std::vector{column}},
      [&numbers](std::string_view number) { numbers.emplace_back(number); });
  zelvane::CsvReader reader(cells);
  reader.Feed(csv.substr(0, cut));
  reader.Feed(csv.substr(cut));
  reader.Finish();
  cells.Finish();
  return numbers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::string kColumns[] = {"", "B", "2", "手机", "XFD"};
  const std::string& column = kColumns[data[0] % 5];
  const std::string_view csv(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::vector<std::string> whole = Read(csv, column, csv.size());
  for (const std::string& number : whole) {
    Check(number.size() >= 10 && number.size() <= 12);
    Check(number.find_first_not_of("0123456789") == std::string::npos);
    Check(zelvane::NormalizeNumber(number) == number);
  }
  Check(Read(csv, column, csv.size() / 2) == whole);
  Check(Read(csv, column, data[0] % (csv.size() + 1)) == whole);
  return 0;
}
