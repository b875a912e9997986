#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ops/cell_numbers.h"
#include "ops/csv_reader.h"
#include "ops/number_input.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using Numbers = std::vector<std::string>;

struct CsvOutcome {
  Numbers numbers;
  std::uint64_t rounded = 0;
  std::string firstRounded;
  bool headerMissing = false;
};

// Reads csv fed in pieces of pieceSize bytes (0: whole), the column chosen as named.
CsvOutcome ReadCsv(std::string_view csv, const std::string& column, std::size_t pieceSize = 0) {
  CsvOutcome outcome;
  CellNumbers cells(ColumnChoice{column, column.empty() ? std::vector<std::string>{} : std::vector{column}},
                    [&outcome](std::string_view number) { outcome.numbers.emplace_back(number); });
  CsvReader reader(cells);
  if (pieceSize == 0) pieceSize = csv.size() + 1;
  for (std::size_t at = 0; at < csv.size(); at += pieceSize) reader.Feed(csv.substr(at, pieceSize));
  reader.Finish();
  outcome.headerMissing = cells.Finish();
  outcome.rounded = cells.RoundedCells();
  outcome.firstRounded = cells.FirstRoundedCell();
  return outcome;
}

struct CsvCase {
  const char* name;
  std::string csv;
  std::string column;
  Numbers numbers;
  std::string firstRounded = {};
};

class CsvReaderTest : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvReaderTest, GivesTheNumbersOfTheCellsChosen) {
  const CsvCase& c = GetParam();
  const CsvOutcome whole = ReadCsv(c.csv, c.column);
  EXPECT_EQ(whole.numbers, c.numbers);
  EXPECT_EQ(whole.firstRounded, c.firstRounded);
  EXPECT_FALSE(whole.headerMissing);
  for (std::size_t piece = 1; piece < c.csv.size(); ++piece) {
    ASSERT_EQ(ReadCsv(c.csv, c.column, piece).numbers, c.numbers) << "pieces of " << piece;
  }
}

const std::string kCrm =
    "姓名,手机,地址\r\n"
    "张三,138-0013-8000,\"深圳, 南山 0755-88886666\"\r\n"
    "李四,13900139000,北京\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Fields, CsvReaderTest,
    testing::Values(
        CsvCase{"EveryCell", kCrm, "", {"13800138000", "075588886666", "13900139000"}},
        CsvCase{"ColumnByHeader", kCrm, "手机", {"13800138000", "13900139000"}},
        CsvCase{"ColumnByLetter", kCrm, "C", {"075588886666"}},
        CsvCase{"ColumnByNumber", kCrm, "2", {"13800138000", "13900139000"}},
        CsvCase{"QuotedLineBreak", "a,\"13800138000\r\n13900139000\",13700137000\n", "B", {"13800138000", "13900139000"}},
        CsvCase{"QuotedDelimiterKeepsColumns", "\"x,y\",13800138000\n\"1,2\",13900139000\n", "B", {"13800138000", "13900139000"}},
        CsvCase{"DoubledQuotes", "\"say \"\"13800138000\"\"\",x\n", "A", {"13800138000"}},
        CsvCase{"ExcelFormulaQuoted", "=\"13800138000\",x\n", "A", {"13800138000"}},
        CsvCase{"LineFeedsOnly", "x,13800138000\ny,13900139000", "B", {"13800138000", "13900139000"}},
        CsvCase{"CarriageReturnsOnly", "x,13800138000\ry,13900139000\r", "B", {"13800138000", "13900139000"}},
        CsvCase{"EmptyLinesAreRows", "x,13800138000\n\ny,13900139000\n", "B", {"13800138000", "13900139000"}},
        CsvCase{"MissingFields", "13800138000\nx,13900139000,y\n", "B", {"13900139000"}},
        CsvCase{"NoFinalLineBreak", "13800138000,13900139000", "", {"13800138000", "13900139000"}},
        CsvCase{"UnclosedQuote", "x,\"13800138000", "B", {"13800138000"}},
        CsvCase{"ZeroTails", "13800138000.0,13900139000\n", "", {"13800138000", "13900139000"}}));

INSTANTIATE_TEST_SUITE_P(
    Delimiters, CsvReaderTest,
    testing::Values(
        CsvCase{"Semicolon", "姓名;手机\n张三;138,0013,8000\n", "手机", {}},
        CsvCase{"SemicolonKeepsCommasInCells", "姓名;手机;备注\n张三;13800138000;a,b,c\n", "2", {"13800138000"}},
        CsvCase{"Tab", "姓名\t手机\n张三\t13800138000\n", "B", {"13800138000"}},
        CsvCase{"CommasInsideQuotesDoNotCount", "\"a,b,c,d\";13800138000;x\n", "B", {"13800138000"}},
        CsvCase{"NoneMeansComma", "13800138000\n13900139000,13700137000\n", "B", {"13700137000"}}));

INSTANTIATE_TEST_SUITE_P(
    Rounded, CsvReaderTest,
    testing::Values(
        CsvCase{"CountedNotTaken", "姓名,手机\n张三,13800138000\n李四,1.38001E+10\n王五,1.39E+10\n", "手机", {"13800138000"}, "B3"},
        CsvCase{"OtherColumnsNotCounted", "1.38001E+10,13800138000\n", "B", {"13800138000"}},
        CsvCase{"FirstRowCountedOnceItIsData", "1.38001E+10,x\n13800138000,y\n", "A", {"13800138000"}, "A1"},
        CsvCase{"HeaderNamedLikeTheLetterMovesIt", "B,A\n1.38001E+10,13800138000\n", "A", {"13800138000"}},
        CsvCase{"SmallFiguresAreNoNumbers", "1.5E+3,2E+8\n", "", {}},
        CsvCase{"TenDigitsAreRounded", "1E+9,4.00123E+9\n", "", {}, "A1"}));
// clang-format on

TEST(CsvReaderHeaderTest, AHeaderNotThereReadsNothing) {
  const CsvOutcome outcome = ReadCsv(kCrm, "电话");
  EXPECT_TRUE(outcome.headerMissing);
  EXPECT_EQ(outcome.numbers, Numbers{});
}

TEST(CsvReaderHeaderTest, TheDelimiterIsFoundInTheStartOfALongFirstRecord) {
  // A first record of more than 64 KiB: the delimiter is decided on its first 64 KiB.
  const std::string csv = "x;" + std::string(70000, 'x') + "\ny;13900139000\n";
  EXPECT_EQ(ReadCsv(csv, "B").numbers, Numbers{"13900139000"});
}

// The charsets a CSV file comes in, read from a file.
struct EncodedCase {
  const char* name;
  std::string bytes;
};

class CsvEncodingTest : public testing::TestWithParam<EncodedCase> {};

TEST_P(CsvEncodingTest, FindsTheHeaderAndTheNumbers) {
  test::TemporaryFolder folder;
  test::WriteFile(folder / "clients.csv", GetParam().bytes);
  InputReading reading;
  reading.column = "手机";
  std::string text;
  const FileResult error = ReadInput(folder / "clients.csv", InputKinds::RegularFiles, reading,
                                     [&](std::string_view piece) { text += piece; });
  ASSERT_FALSE(error) << error->Message();
  EXPECT_EQ(text, "13800138000\n13900139000\n");
}

std::string Utf16LeOf(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Charsets, CsvEncodingTest,
    testing::Values(
        EncodedCase{"Utf8", "姓名,手机\n张三,13800138000\n李四,13900139000\n"},
        EncodedCase{"Utf8WithMark", "\xEF\xBB\xBF姓名,手机\n张三,13800138000\n李四,13900139000\n"},
        EncodedCase{"Gbk", "\xD0\xD5\xC3\xFB,\xCA\xD6\xBB\xFA\r\n\xD5\xC5\xC8\xFD,13800138000\r\n\xC0\xEE\xCB\xC4,13900139000\r\n"},
        EncodedCase{"Utf16WithMark", Utf16LeOf(u"姓名\t手机\r\n张三\t13800138000\r\n李四\t13900139000\r\n")}));
// clang-format on

}  // namespace
}  // namespace zelvane
