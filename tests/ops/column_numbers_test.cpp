// Counting the numbers of each column of a table, for the window's choice of a column.

#include "ops/column_numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ops/numbers_inside_text.h"
#include "tests/support/test_files.h"
#include "tests/support/test_workbook.h"

namespace zelvane {

bool operator==(const ColumnNumbers& a, const ColumnNumbers& b) {
  return a.column == b.column && a.header == b.header && a.numbers == b.numbers;
}
void PrintTo(const ColumnNumbers& c, std::ostream* out) { *out << c.column << " " << c.header << " " << c.numbers; }

namespace {

using test::Cell;
using test::Row;
using Columns = std::vector<ColumnNumbers>;

std::string Shared(const std::string& reference, int index) {
  return Cell(reference, "s", "<v>" + std::to_string(index) + "</v>");
}
std::string Figure(const std::string& reference, const std::string& value) {
  return Cell(reference, "", "<v>" + value + "</v>");
}

Columns Counted(const std::filesystem::path& path) {
  Columns columns;
  const FileResult error = CountColumnNumbers(path, columns);
  EXPECT_FALSE(error) << error->Message();
  return columns;
}

// Headers come from the first row's text, shared or not, in the file's charset; a first-row cell that
// holds a number is no header; columns without numbers are left out.
TEST(ColumnNumbersTest, CountsEachColumnWithItsHeader) {
  test::TemporaryFolder folder;
  const std::vector<std::string> strings = {"<t>姓名</t>", "<t>手机</t>", "<t>备注</t>", "<t>张三 139-0013-9000</t>"};
  test::WriteZip(
      folder / "客户.xlsx",
      test::WorkbookParts({{"Sheet1", Row(1, Shared("A1", 0) + Shared("B1", 1) + Shared("D1", 2)) +
                                          Row(2, Shared("A2", 0) + Figure("B2", "13800138000") + Shared("D2", 3)) +
                                          Row(3, Figure("B3", "1.3800138001E10"))}},
                          strings));
  EXPECT_EQ(Counted(folder / "客户.xlsx"), (Columns{{1, "手机", 2}, {3, "备注", 1}}));

  test::WriteFile(folder / "gbk.csv", "\xCA\xD6\xBB\xFA,13700137000,x\r\n13800138000,13900139000,\r\n");
  EXPECT_EQ(Counted(folder / "gbk.csv"), (Columns{{0, "手机", 1}, {1, "", 2}}));
  test::WriteFile(folder / "utf8.csv", "\xEF\xBB\xBF 手机 ;tel\n13800138000;13900139000\n");
  EXPECT_EQ(Counted(folder / "utf8.csv"), (Columns{{0, "手机", 1}, {1, "tel", 1}}));
  test::WriteFile(folder / "list.txt", "13800138000,13900139000\n");
  EXPECT_EQ(Counted(folder / "list.txt"), Columns{});
}

// A sheet of any length is judged by its first rows: counting stops soon after kCountedRows of them (at
// the end of the piece read).
TEST(ColumnNumbersTest, CountsTheFirstRowsOnly) {
  test::TemporaryFolder folder;
  for (const std::uint32_t rows : {kCountedRows, 3 * kCountedRows}) {
    SCOPED_TRACE(rows);
    std::string csv = "手机,备注\n";
    for (std::uint32_t row = 1; row < rows; ++row) csv += std::to_string(13800000000ULL + row) + ",x\n";
    test::WriteFile(folder / "big.csv", csv);
    const Columns columns = Counted(folder / "big.csv");
    ASSERT_EQ(columns.size(), 1U);
    EXPECT_GE(columns[0].numbers, kCountedRows - 1);
    EXPECT_LT(columns[0].numbers, 2 * kCountedRows);
  }
}

// Numbers inside text are offered when most lines hold one among other text; a list of numbers, even
// with a few notes, never is.
TEST(NumbersInsideTextTest, JudgesByMostLines) {
  struct Case {
    const char* name;
    std::string text;
    bool inside;
  };
  std::string longMixed;
  while (longMixed.size() < kJudgedTextBytes + 100) longMixed += "张三 138-0013-8000 深圳\r\n";
  const Case cases[] = {
      {"Mixed", "张三 138-0013-8000 深圳\n李四,+86 139 0013 9000\n\n", true},
      {"Grouped", "138-0013-8000\n139 0013 9000\n", true},
      {"Tabbed", "13800138000\t张三\n", true},
      {"StrayZeroAndCountryCode", "013800138000 +86 139 0013 9000\n", true},
      {"PlainList", "13800138000\r\n+8613900139000, 013700137000\r\n", false},
      {"HalfMixed", "张三 13800138000\n13900139000\n", false},
      {"TextWithoutNumbers", "张三\n李四\n", false},
      {"Empty", "", false},
      {"LongMixed", longMixed, true},
      {"ListAfterMixedStart",
       "张三 13800138000\n李四 13900139000\n" + std::string(kJudgedTextBytes, '\n') + "13700137000\n", true},
  };
  test::TemporaryFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteFile(folder / "a.txt", c.text);
    EXPECT_EQ(NumbersMostlyInsideText(folder / "a.txt"), c.inside);
  }
  EXPECT_FALSE(NumbersMostlyInsideText(folder / "gone.txt"));
}

}  // namespace
}  // namespace zelvane
