// Number files as CSV and as workbooks: the cells' text, the exact CSV bytes, the workbook read back
// through minizip (text cells, the sheets split at Excel's last row), and failures that leave nothing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ops/cell_text.h"
#include "ops/number_file_writer.h"
#include "tests/support/test_files.h"
#include "tests/support/workbook_contents.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::SheetCell;
using test::TemporaryFolder;
using test::WriteFile;
using test::ZipEntries;
using Numbers = std::vector<std::string>;

struct CellTextCase {
  std::string gbk;
  std::string utf8;
  bool whole;
};

TEST(CellText, ConvertsGbkAndMarksWhatIsNoText) {
  // clang-format off
  const CellTextCase cases[] = {
      {"13912345678", "13912345678", true},
      {"\xD6\xD0\xCE\xC4", "中文", true},                 // two-byte characters
      {"1\xA3\xAC" "2", "1，2", true},                    // a full-width comma between digits
      {"\x81\x40", "丂", true},                           // the first pair
      {"\xB0\xA1", "啊", true},                           // the first of the common characters
      {"12\x81", "12?", false},                           // a lead byte at the end
      {"\x81" "1", "?1", false},                          // a lead byte before a digit: the digit stays
      {"\x81\x7F", "??", false},                          // 0x7F is no trail byte, and a control character
      {"\x80\xFF", "??", false},                          // bytes that begin no character
      {"a\x01" "b\tc", "a?b\tc", false},                  // a control character; a tab is text
      {"", "", true},
  };
  // clang-format on
  for (const CellTextCase& c : cases) {
    std::string utf8 = "x";
    EXPECT_EQ(AppendCellText(c.gbk, utf8), c.whole) << c.utf8;
    EXPECT_EQ(utf8, "x" + c.utf8);
  }
}

TEST(NumberFileFormat, NamesAndExtensions) {
  EXPECT_EQ(FormatNamed("xlsx"), NumberFileFormat::Xlsx);
  EXPECT_EQ(FormatNamed("csv"), NumberFileFormat::Csv);
  EXPECT_EQ(FormatNamed("txt"), NumberFileFormat::Text);
  EXPECT_EQ(FormatNamed("XLSX"), std::nullopt);
  const std::pair<const char*, NumberFileFormat> paths[] = {
      {"a.xlsx", NumberFileFormat::Xlsx}, {"结果.XLSX", NumberFileFormat::Xlsx},
      {"b.Csv", NumberFileFormat::Csv},   {"c.txt", NumberFileFormat::Text},
      {"d", NumberFileFormat::Text},      {"e.xlsx.txt", NumberFileFormat::Text}};
  for (const auto& [path, format] : paths) EXPECT_EQ(FormatOfPath(test::PathFromText(path)), format) << path;
}

TEST(CsvNumberFile, HeaderBomQuotingAndReplacedBytes) {
  TemporaryFolder folder;
  NumberOutputCounts written{9, 9};
  const Numbers numbers = {"13912345678", "a,b", "say \"hi\"", "\xD6\xD0", "12\x81", "x\ry"};
  ASSERT_FALSE(WriteNumberFile(folder / "a.csv", numbers, "\r\n", nullptr, NumberFileFormat::Csv, &written));
  EXPECT_EQ(ReadFile(folder / "a.csv"),
            "\xEF\xBB\xBF号码\r\n13912345678\r\n\"a,b\"\r\n\"say \"\"hi\"\"\"\r\n中\r\n12?\r\nx?y\r\n");
  EXPECT_EQ(written.replaced, 2u);
  EXPECT_EQ(written.leftOut, 0u);
  ASSERT_FALSE(WriteNumberFile(folder / "empty.csv", Numbers{}, "\r\n", nullptr, NumberFileFormat::Csv));
  EXPECT_EQ(ReadFile(folder / "empty.csv"), "\xEF\xBB\xBF号码\r\n");
}

// The sheet's cells as a workbook holds them: the header, then every number as an inline string.
std::vector<SheetCell> ExpectedCells(const Numbers& numbers, std::size_t firstRow = 1) {
  std::vector<SheetCell> cells{{"A" + std::to_string(firstRow), "号码"}};
  for (std::size_t i = 0; i < numbers.size(); ++i)
    cells.push_back({"A" + std::to_string(firstRow + 1 + i), numbers[i]});
  return cells;
}

TEST(XlsxNumberFile, EveryNumberIsATextCell) {
  TemporaryFolder folder;
  NumberOutputCounts written{9, 9};
  const Numbers numbers = {"13912345678", "075512345678", "8613912345678", "0", "\xD6\xD0", "<&>", "12\x81"};
  ASSERT_FALSE(WriteNumberFile(folder / "a.xlsx", numbers, "\r\n", nullptr, NumberFileFormat::Xlsx, &written));
  EXPECT_EQ(written.replaced, 1u);
  const auto entries = ZipEntries(folder / "a.xlsx");
  ASSERT_TRUE(entries.contains("xl/worksheets/sheet1.xml"));
  EXPECT_FALSE(entries.contains("xl/worksheets/sheet2.xml"));
  EXPECT_EQ(test::SheetCells(entries.at("xl/worksheets/sheet1.xml")),
            ExpectedCells({"13912345678", "075512345678", "8613912345678", "0", "中", "&lt;&amp;&gt;", "12?"}));
  EXPECT_NE(entries.at("xl/workbook.xml").find("name=\"号码\""), std::string::npos);
  EXPECT_EQ(FileNamesIn(folder.path()), Numbers{"a.xlsx"});
}

// Excel's sheet holds 1,048,576 rows: the header and 1,048,575 numbers; the next number starts a second
// sheet with its own header.
TEST(XlsxNumberFile, SheetsSplitAtExcelsLastRow) {
  TemporaryFolder folder;
  constexpr std::size_t kPerSheet = 1048575;
  Numbers numbers;
  numbers.reserve(kPerSheet + 1);
  for (std::size_t i = 0; i <= kPerSheet; ++i) numbers.push_back(std::to_string(13000000000ULL + i));
  ASSERT_FALSE(WriteNumberFile(folder / "big.xlsx", numbers, "\r\n", nullptr, NumberFileFormat::Xlsx));
  const auto entries = ZipEntries(folder / "big.xlsx");
  ASSERT_TRUE(entries.contains("xl/worksheets/sheet2.xml"));
  EXPECT_FALSE(entries.contains("xl/worksheets/sheet3.xml"));
  const std::vector<SheetCell> first = test::SheetCells(entries.at("xl/worksheets/sheet1.xml"));
  ASSERT_EQ(first.size(), kPerSheet + 1);
  EXPECT_EQ(first.front(), (SheetCell{"A1", "号码"}));
  EXPECT_EQ(first[1], (SheetCell{"A2", "13000000000"}));
  EXPECT_EQ(first.back(), (SheetCell{"A1048576", std::to_string(13000000000ULL + kPerSheet - 1)}));
  EXPECT_EQ(test::SheetCells(entries.at("xl/worksheets/sheet2.xml")), ExpectedCells({numbers.back()}));
  EXPECT_NE(entries.at("xl/workbook.xml").find("name=\"号码2\""), std::string::npos);
}

// A workbook that cannot be written leaves the old file as it was and no file of ours, in the folder
// or among the temporary files.
TEST(XlsxNumberFile, FailuresLeaveNothingBehind) {
  TemporaryFolder folder;
  TemporaryFolder temporary;
  const test::TemporaryFilesIn redirected(temporary.path());
  WriteFile(folder / "old.xlsx", "old");
  std::filesystem::create_directory(folder / "dir.xlsx");
  for (const std::filesystem::path& path : {folder / "dir.xlsx", folder / "missing" / "a.xlsx"}) {
    EXPECT_TRUE(WriteNumberFile(path, Numbers{"13912345678"}, "\r\n", nullptr, NumberFileFormat::Xlsx)) << path;
  }
  EXPECT_EQ(FileNamesIn(folder.path()), (Numbers{"dir.xlsx", "old.xlsx"}));
  EXPECT_EQ(ReadFile(folder / "old.xlsx"), "old");
  EXPECT_EQ(FileNamesIn(temporary.path()), Numbers{});
  // libxlsxwriter's own files go where it is told, and are gone when the workbook is.
  ASSERT_FALSE(WriteNumberFile(folder / "old.xlsx", Numbers{"13912345678"}, "\r\n", nullptr, NumberFileFormat::Xlsx));
  EXPECT_EQ(FileNamesIn(temporary.path()), Numbers{});
  EXPECT_EQ(ZipEntries(folder / "old.xlsx").size(), 9u);
}

#ifndef _WIN32
// A full disk, where the workbook goes and where libxlsxwriter keeps its own files: a failure each
// time (never a workbook cut short reported as written), the old file as it was, nothing left.
TEST(XlsxNumberFile, FullDisksFailAndLeaveNothing) {
  Numbers numbers;
  for (int i = 0; i < 300000; ++i) numbers.push_back(std::to_string(13000000000LL + i * 7919LL % 100000000));
  for (const bool temporaryFull : {false, true}) {
    TemporaryFolder folder;
    test::SmallFileSystem disk(folder / "disk", 256 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
    const std::filesystem::path out = temporaryFull ? folder / "out.xlsx" : folder / "disk" / "out.xlsx";
    WriteFile(out, "old");
    const test::TemporaryFilesIn redirected(temporaryFull ? folder / "disk" : folder.path());
    const FileResult error = WriteNumberFile(out, numbers, "\r\n", nullptr, NumberFileFormat::Xlsx);
    ASSERT_TRUE(error) << temporaryFull;
    EXPECT_EQ(ReadFile(out), "old");
    EXPECT_EQ(FileNamesIn(folder / "disk"), temporaryFull ? Numbers{} : Numbers{"out.xlsx"});
  }
}
#endif

}  // namespace
}  // namespace zelvane
