#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ops/cell_reference.h"
#include "ops/number_input.h"
#include "tests/support/test_files.h"
#include "tests/support/test_workbook.h"

namespace zelvane {
namespace {

using test::Cell;
using test::Row;
using test::TestSheet;
using test::ZipEntry;
using Numbers = std::vector<std::string>;

struct Outcome {
  FileResult error;
  Numbers numbers;
  RoundedCells rounded;
};

Outcome ReadNumbers(const std::filesystem::path& path, const std::string& sheet = "", const std::string& column = "") {
  Outcome outcome;
  InputReading reading;
  reading.sheet = sheet;
  reading.column = column;
  reading.roundedCells = [&outcome](const std::filesystem::path&, const RoundedCells& cells) {
    outcome.rounded = cells;
  };
  std::string text;
  outcome.error =
      ReadInput(path, InputKinds::RegularFiles, reading, [&text](std::string_view piece) { text += piece; });
  for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
    end = text.find('\n', at);
    outcome.numbers.push_back(text.substr(at, end - at));
  }
  return outcome;
}

std::string Shared(const std::string& reference, int index) {
  return Cell(reference, "s", "<v>" + std::to_string(index) + "</v>");
}
std::string Figure(const std::string& reference, const std::string& value) {
  return Cell(reference, "", "<v>" + value + "</v>");
}
std::string Inline(const std::string& reference, const std::string& text) {
  return Cell(reference, "inlineStr", "<is><t>" + text + "</t></is>");
}

// A CRM export: 姓名 / 手机 / 地址, the mobile numbers stored as numbers.
const std::vector<std::string> kCrmStrings = {
    "<t>姓名</t>", "<t>手机</t>", "<t>地址</t>", "<t>张三</t>", "<t>深圳市南山区 0755-88886666</t>",
    "<t>李四</t>", "<t>北京</t>"};
const std::string kCrmCells = Row(1, Shared("A1", 0) + Shared("B1", 1) + Shared("C1", 2)) +
                              Row(2, Shared("A2", 3) + Figure("B2", "13800138000") + Shared("C2", 4)) +
                              Row(3, Shared("A3", 5) + Figure("B3", "1.3900139E10") + Shared("C3", 6));

struct CellCase {
  const char* name;
  std::string cells;
  std::vector<std::string> shared;
  Numbers numbers;
  std::string firstRounded = {};
};

class WorkbookCellsTest : public testing::TestWithParam<CellCase> {};

TEST_P(WorkbookCellsTest, GivesTheNumbersOfItsCells) {
  const CellCase& c = GetParam();
  test::TemporaryFolder folder;
  test::WriteZip(folder / "book.xlsx", test::WorkbookParts({{"Sheet1", c.cells}}, c.shared));
  const Outcome outcome = ReadNumbers(folder / "book.xlsx");
  ASSERT_FALSE(outcome.error) << outcome.error->Message();
  EXPECT_EQ(outcome.numbers, c.numbers);
  EXPECT_EQ(outcome.rounded.first, c.firstRounded);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kinds, WorkbookCellsTest,
    testing::Values(
        CellCase{"CrmExport", kCrmCells, kCrmStrings, {"13800138000", "075588886666", "13900139000"}},
        CellCase{"InlineString", Row(1, Inline("A1", "+86 139 0013 9000")), {}, {"13900139000"}},
        CellCase{"NumberWritten", Row(1, Figure("A1", "13800138000")), {}, {"13800138000"}},
        CellCase{"NumberInPowersOfTen", Row(1, Figure("A1", "1.3800138E10")), {}, {"13800138000"}},
        CellCase{"NumberWithZeroFraction", Row(1, Figure("A1", "13800138000.0")), {}, {"13800138000"}},
        CellCase{"NumberWithCountryCode", Row(1, Figure("A1", "8613800138000")), {}, {"13800138000"}},
        CellCase{"FormulaNumberCached", Row(1, Cell("A1", "", "<f>B1</f><v>13800138000</v>")), {}, {"13800138000"}},
        CellCase{"FormulaTextCached", Row(1, Cell("A1", "str", "<f>B1&amp;\"\"</f><v>138-0013-8000</v>")), {}, {"13800138000"}},
        CellCase{"Fraction", Row(1, Figure("A1", "13800138000.5")), {}, {}},
        CellCase{"Negative", Row(1, Figure("A1", "-13800138000")), {}, {}},
        CellCase{"Date", Row(1, Cell("A1", "", "<v>45000</v>") + Cell("B1", "d", "<v>2023-03-15</v>")), {}, {}},
        CellCase{"Boolean", Row(1, Cell("A1", "b", "<v>1</v>")), {}, {}},
        CellCase{"Error", Row(1, Cell("A1", "e", "<v>#N/A</v>")), {}, {}},
        CellCase{"RichTextRuns", Row(1, Shared("A1", 0)), {"<r><t>138</t></r><r><rPr><b/></rPr><t>00138000</t></r>"}, {"13800138000"}},
        CellCase{"PhoneticReadingLeftOut", Row(1, Shared("A1", 0)), {"<t>张三</t><rPh sb=\"0\" eb=\"2\"><t>13900139000</t></rPh>"}, {}},
        CellCase{"ApostropheTextIsPlain", Row(1, Cell("A1", "s", "<v>0</v>")), {"<t>013800138000</t>"}, {"13800138000"}},
        CellCase{"SeveralInACell", Row(1, Inline("A1", "13800138000/13900139000")), {}, {"13800138000", "13900139000"}},
        CellCase{"RoundedTextNamed", Row(1, Inline("A1", "13800138000")) + Row(7, Inline("B7", "1.38001E+10") + Shared("C7", 0)),
                 {"<t>1.39E+10</t>"}, {"13800138000"}, "B7"},
        CellCase{"CellsWithoutReferences", "<row><c t=\"inlineStr\"><is><t>x</t></is></c><c><v>13800138000</v></c></row>", {}, {"13800138000"}},
        CellCase{"RowsWithoutNumbers", "<row><c r=\"B3\" t=\"inlineStr\"><is><t>手机</t></is></c></row><row><c r=\"B5\"><v>13800138000</v></c></row>", {}, {"13800138000"}},
        CellCase{"PrefixedNames", "<x:row r=\"1\"><x:c r=\"A1\"><x:v>13800138000</x:v></x:c></x:row>", {}, {"13800138000"}}));
// clang-format on

struct ChoiceCase {
  const char* name;
  std::string sheet;
  std::string column;
  Numbers numbers;
};

class WorkbookChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(WorkbookChoiceTest, ReadsTheSheetAndColumnChosen) {
  const ChoiceCase& c = GetParam();
  test::TemporaryFolder folder;
  const std::string second = Row(1, Inline("A1", "备注") + Inline("B1", "B")) +
                             Row(2, Inline("A2", "13700137000") + Inline("B2", "13600136000"));
  // A title row above the headers.
  const std::string third =
      Row(1, Inline("A1", "客户名单 13500135000")) + Row(2, Inline("A2", "手机")) + Row(3, Figure("A3", "13400134000"));
  test::WriteZip(folder / "book.xlsx",
                 test::WorkbookParts({{"客户", kCrmCells}, {"2", second}, {"名单", third}}, kCrmStrings));
  const Outcome outcome = ReadNumbers(folder / "book.xlsx", c.sheet, c.column);
  ASSERT_FALSE(outcome.error) << outcome.error->Message();
  EXPECT_EQ(outcome.numbers, c.numbers);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Choices, WorkbookChoiceTest,
    testing::Values(
        ChoiceCase{"FirstSheetEveryCell", "", "", {"13800138000", "075588886666", "13900139000"}},
        ChoiceCase{"SheetByName", "名单", "", {"13500135000", "13400134000"}},
        ChoiceCase{"SheetByNumber", "3", "", {"13500135000", "13400134000"}},
        ChoiceCase{"SheetNamedLikeANumberWins", "2", "", {"13700137000", "13600136000"}},
        ChoiceCase{"ColumnByHeader", "", "手机", {"13800138000", "13900139000"}},
        ChoiceCase{"ColumnByLetter", "", "c", {"075588886666"}},
        ChoiceCase{"ColumnByNumber", "", "2", {"13800138000", "13900139000"}},
        ChoiceCase{"HeaderNamedLikeALetterWins", "2", "B", {"13600136000"}},
        ChoiceCase{"LetterReadsTheFirstRowToo", "2", "A", {"13700137000"}},
        ChoiceCase{"HeaderBelowATitle", "名单", "手机", {"13400134000"}},
        ChoiceCase{"EmptyColumn", "", "XFD", {}}));
// clang-format on

TEST(WorkbookChoiceErrorsTest, ASheetOrHeaderNotThereIsAUsageError) {
  test::TemporaryFolder folder;
  test::WriteZip(folder / "book.xlsx", test::WorkbookParts({{"客户", kCrmCells}, {"其他", ""}}, kCrmStrings));
  const Outcome noSheet = ReadNumbers(folder / "book.xlsx", "Sheet9");
  ASSERT_TRUE(noSheet.error);
  EXPECT_TRUE(noSheet.error->usage);
  EXPECT_EQ(noSheet.error->reason, "工作簿中没有工作表“Sheet9”（有2个：客户、其他）");
  const Outcome noHeader = ReadNumbers(folder / "book.xlsx", "", "电话");
  ASSERT_TRUE(noHeader.error);
  EXPECT_TRUE(noHeader.error->usage);
  EXPECT_EQ(noHeader.numbers, Numbers{});
}

// Bad files: one message each, and no number.
struct DamageCase {
  const char* name;
  std::function<void(const std::filesystem::path&)> make;
  std::string reasonPart;
};

class WorkbookDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(WorkbookDamageTest, IsRefusedWithOneMessage) {
  const DamageCase& c = GetParam();
  test::TemporaryFolder folder;
  const std::filesystem::path path = folder / "book.xlsx";
  c.make(path);
  const Outcome outcome = ReadNumbers(path);
  ASSERT_TRUE(outcome.error);
  EXPECT_NE(outcome.error->reason.find(c.reasonPart), std::string::npos) << outcome.error->reason;
  EXPECT_EQ(outcome.numbers, Numbers{});
}

std::string ZipBytes(const std::vector<ZipEntry>& entries) {
  test::TemporaryFolder folder;
  test::WriteZip(folder / "z.zip", entries);
  return test::ReadFile(folder / "z.zip");
}

std::vector<ZipEntry> GoodBook() { return test::WorkbookParts({{"Sheet1", kCrmCells}}, kCrmStrings); }

// A compound file's header and a directory entry of name (UTF-16).
std::string CompoundFile(const std::u16string& name) {
  std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  bytes.resize(1024, '\0');
  for (const char16_t c : name) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  bytes.resize(4096, '\0');
  return bytes;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    BadFiles, WorkbookDamageTest,
    testing::Values(
        DamageCase{"Truncated", [](const auto& path) { const std::string bytes = ZipBytes(GoodBook()); test::WriteFile(path, bytes.substr(0, bytes.size() / 2)); }, "文件已损坏或不完整"},
        DamageCase{"NotAZip", [](const auto& path) { test::WriteFile(path, "13800138000\n"); }, "文件已损坏或不完整"},
        DamageCase{"EmptyFile", [](const auto& path) { test::WriteFile(path, ""); }, "文件已损坏或不完整"},
        DamageCase{"CorruptData", [](const auto& path) {
          std::vector<ZipEntry> parts = GoodBook();
          parts[0].data += std::string(5000, ' ');
          std::string bytes = ZipBytes(parts);
          bytes[bytes.find("xl/worksheets/sheet1.xml") + 90] ^= 0x55;  // past the name and its extra field
          test::WriteFile(path, bytes); }, "文件已损坏或不完整"},
        DamageCase{"NoWorkbookInside", [](const auto& path) { test::WriteZip(path, {{"word/document.xml", "<w/>"}}); }, "没有 Excel 工作簿"},
        DamageCase{"Encrypted", [](const auto& path) { test::WriteFile(path, CompoundFile(u"EncryptedPackage")); }, "已加密"},
        DamageCase{"LegacyXls", [](const auto& path) { test::WriteFile(path, CompoundFile(u"Workbook")); }, "另存为"},
        DamageCase{"ZipBomb", [](const auto& path) {
          std::vector<ZipEntry> parts = test::WorkbookParts({{"Sheet1", Row(1, Inline("A1", std::string(4 << 20, 'x')))}});
          test::WriteZip(path, parts); }, "压缩炸弹"},
        DamageCase{"EntityBomb", [](const auto& path) {
          std::vector<ZipEntry> parts = GoodBook();
          parts[0].data = R"(<?xml version="1.0"?><!DOCTYPE w [<!ENTITY a "13800138000"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;">]>)"
                          R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>&b;</t></is></c></row></sheetData></worksheet>)";
          test::WriteZip(path, parts); }, "DTD"},
        DamageCase{"BadXml", [](const auto& path) {
          std::vector<ZipEntry> parts = GoodBook();
          parts[0].data = "<worksheet><sheetData><row></sheetData>";
          test::WriteZip(path, parts); }, "不是有效的 XML"},
        DamageCase{"ColumnPastXfd", [](const auto& path) {
          test::WriteZip(path, test::WorkbookParts({{"Sheet1", Row(1, Figure("XFE1", "13800138000"))}})); }, "位置不对"},
        DamageCase{"RowPastTheLast", [](const auto& path) {
          test::WriteZip(path, test::WorkbookParts({{"Sheet1", Row(1048577, Figure("A1048577", "13800138000"))}})); }, "行号不对"},
        DamageCase{"RowsGoingUp", [](const auto& path) {
          test::WriteZip(path, test::WorkbookParts({{"Sheet1", "<row><c r=\"A5\"><v>1</v></c></row><row><c r=\"A2\"><v>1</v></c></row>"}})); }, "位置不对"},
        DamageCase{"SharedStringNotThere", [](const auto& path) {
          test::WriteZip(path, test::WorkbookParts({{"Sheet1", Row(1, Shared("A1", 7))}}, {"<t>x</t>"})); }, "共享字符串"}));
// clang-format on

// Sizes where tables end: the last column, the longest cell, a million shared strings.
TEST(WorkbookLimitsTest, ReadsTheLastColumn) {
  test::TemporaryFolder folder;
  std::string cells;
  for (std::uint32_t column = 0; column < kMaxColumns; ++column) {
    cells += Figure(CellReference(0, column), column + 1 == kMaxColumns ? "13800138000" : "1");
  }
  test::WriteZip(folder / "wide.xlsx", test::WorkbookParts({{"Sheet1", Row(1, cells)}}));
  EXPECT_EQ(ReadNumbers(folder / "wide.xlsx").numbers, Numbers{"13800138000"});
  EXPECT_EQ(ReadNumbers(folder / "wide.xlsx", "", "XFD").numbers, Numbers{"13800138000"});
  EXPECT_EQ(ReadNumbers(folder / "wide.xlsx", "", "16384").numbers, Numbers{"13800138000"});
}

TEST(WorkbookLimitsTest, ReadsTheLongestCell) {
  test::TemporaryFolder folder;
  const std::string text = std::string(32767 - 12, 'x') + " 13800138000";
  ASSERT_EQ(text.size(), 32767u);
  test::WriteZip(folder / "long.xlsx",
                 test::WorkbookParts({{"Sheet1", Row(1, Shared("A1", 0))}}, {"<t>" + text + "</t>"}));
  EXPECT_EQ(ReadNumbers(folder / "long.xlsx").numbers, Numbers{"13800138000"});
}

TEST(WorkbookLimitsTest, ReadsAMillionSharedStrings) {
  test::TemporaryFolder folder;
  constexpr int kStrings = 1000000;
  std::vector<std::string> shared;
  shared.reserve(kStrings);
  for (int i = 0; i < kStrings; ++i) shared.push_back("<t>" + std::to_string(13000000000LL + i) + "</t>");
  const std::string cells = Row(1, Shared("A1", 0)) + Row(2, Shared("A2", kStrings - 1));
  test::WriteZip(folder / "many.xlsx", test::WorkbookParts({{"Sheet1", cells}}, shared));
  EXPECT_EQ(ReadNumbers(folder / "many.xlsx").numbers, (Numbers{"13000000000", "13000999999"}));
}

TEST(WorkbookPathsTest, OpensAWorkbookAtAUnicodePath) {
  test::TemporaryFolder folder;
  test::WriteZip(folder / "book.xlsx", GoodBook());
  std::filesystem::rename(folder / "book.xlsx", folder / "号码 客户.xlsx");
  EXPECT_EQ(ReadNumbers(folder / "号码 客户.xlsx").numbers, (Numbers{"13800138000", "075588886666", "13900139000"}));
}

TEST(WorkbookPathsTest, ReadsAZipByItsContentWhateverItsName) {
  test::TemporaryFolder folder;
  test::WriteZip(folder / "numbers.txt", GoodBook());
  EXPECT_EQ(ReadNumbers(folder / "numbers.txt").numbers, (Numbers{"13800138000", "075588886666", "13900139000"}));
}

}  // namespace
}  // namespace zelvane
