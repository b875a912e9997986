#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_workbook.h"

namespace zelvane {
namespace {

using test::Cell;
using test::ReadFile;
using test::Row;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

std::string Text(const std::string& reference, const std::string& text) {
  return Cell(reference, "inlineStr", "<is><t>" + text + "</t></is>");
}
std::string Figure(const std::string& reference, const std::string& value) {
  return Cell(reference, "", "<v>" + value + "</v>");
}

// 姓名 / 手机 / 地址, the numbers stored as numbers, a landline in the address.
void WriteClients(const std::filesystem::path& path) {
  const std::string cells =
      Row(1, Text("A1", "姓名") + Text("B1", "手机") + Text("C1", "地址")) +
      Row(2, Text("A2", "张三") + Figure("B2", "13800138000") + Text("C2", "深圳 0755-88886666")) +
      Row(3, Text("A3", "李四") + Figure("B3", "1.3300133E10") + Text("C3", "北京"));
  test::WriteZip(path, test::WorkbookParts({{"客户", cells}}));
}

TEST(WorkbookCli, ClassifiesTheColumnOfAWorkbook) {
  TemporaryFolder folder;
  WriteClients(folder / "clients.xlsx");
  const auto result = RunCli({"classify", "--column", "手机", "--out", "out", "clients.xlsx"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "当前共有2个号码，移动1个，联通0个，电信1个，小灵通0个，其他0个\n");
  EXPECT_EQ(ReadFile(folder / "out/移动.txt"), "13800138000\r\n");
  EXPECT_EQ(ReadFile(folder / "out/电信.txt"), "13300133000\r\n");
}

TEST(WorkbookCli, ClassifiesEveryCellWithoutAColumn) {
  TemporaryFolder folder;
  WriteClients(folder / "clients.xlsx");
  const auto result = RunCli({"classify", "--out", "out", "clients.xlsx"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadFile(folder / "out/小灵通.txt"), "075588886666\r\n");
}

// A GBK export with a rounded cell: the cell is named on stderr and left out; the command succeeds.
TEST(WorkbookCli, NamesRoundedCellsOfACsvFile) {
  TemporaryFolder folder;
  WriteFile(folder / "clients.csv",
            "\xD0\xD5\xC3\xFB,\xCA\xD6\xBB\xFA\r\n\xD5\xC5\xC8\xFD,13800138000\r\n\xC0\xEE\xCB\xC4,1.38001E+10\r\n");
  const auto result = RunCli({"classify", "--column", "手机", "--out", "out", "clients.csv"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err,
            "zelvane-cli: “clients.csv”中有1个单元格的号码已被 Excel 舍入成科学计数法（第一个是 "
            "B3），位数已丢失，没有导入\n");
  EXPECT_EQ(ReadFile(folder / "out/移动.txt"), "13800138000\r\n");
}

TEST(WorkbookCli, ExtractsNumbersFromTextOnlyWhenAsked) {
  TemporaryFolder folder;
  WriteFile(folder / "notes.txt", "张三 138-0013-8000 深圳\r\n+86 139 0013 9000\r\n");
  const auto extracted = RunCli({"lookup", "--extract", "--from", "notes.txt"}, folder.path());
  EXPECT_EQ(extracted.exitCode, 0) << extracted.err;
  EXPECT_EQ(extracted.out, "13800138000\t移动\t北京市\t北京市\t010\n13900139000\t移动\t上海市\t上海市\t021\n");
  const auto plain = RunCli({"lookup", "--from", "notes.txt"}, folder.path());
  EXPECT_EQ(plain.out.find("13800138000"), std::string::npos);
}

TEST(WorkbookCli, LooksUpTheNumbersOfSeveralFiles) {
  TemporaryFolder folder;
  WriteClients(folder / "clients.xlsx");
  WriteFile(folder / "more.csv", "x,13000301234\n");
  const auto result =
      RunCli({"lookup", "--column", "B", "--from", "clients.xlsx", "--from", "more.csv", "16212345678"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "13800138000\t移动\t北京市\t北京市\t010\n13300133000\t电信\t未知地区\t\t\n"
            "13000301234\t联通\t江苏省\t南京市\t025\n16212345678\t其他\t未知地区\t\t\n");
}

// The numbers of a workbook go into a table file as the arguments' do; a file that cannot be read
// leaves no table begun behind.
TEST(WorkbookCli, LooksUpAWorkbookIntoATable) {
  TemporaryFolder folder;
  WriteClients(folder / "clients.xlsx");
  const auto result = RunCli(
      {"lookup", "--column", "手机", "--from", "clients.xlsx", "--format", "csv", "--out", "t.csv"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadFile(folder / "t.csv"),
            "\xEF\xBB\xBF号码,运营商,省份,城市,区号\r\n13800138000,移动,北京市,北京市,010\r\n"
            "13300133000,电信,未知地区,,\r\n");
  WriteFile(folder / "broken.xlsx", "PK\x03\x04 not a whole archive");
  const auto broken = RunCli({"lookup", "--from", "broken.xlsx", "--format", "xlsx", "--out", "u.xlsx"}, folder.path());
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_TRUE(broken.err.starts_with("zelvane-cli: 无法读取文件“broken.xlsx”")) << broken.err;
  EXPECT_EQ(test::FileNamesIn(folder.path()), (std::vector<std::string>{"broken.xlsx", "clients.xlsx", "t.csv"}));
}

// The workbook's numbers are compared as a number file's would be, within a memory budget too.
TEST(WorkbookCli, ComparesAWorkbookWithANumberFile) {
  TemporaryFolder folder;
  WriteClients(folder / "clients.xlsx");
  WriteFile(folder / "whitelist.txt", "8613800138000\r\n");
  for (const std::vector<std::string>& memory :
       {std::vector<std::string>{}, std::vector<std::string>{"--memory", "2M"}}) {
    std::vector<std::string> arguments = {"compare", "--different", "--column", "手机", "--separator", "\\n"};
    arguments.insert(arguments.end(), memory.begin(), memory.end());
    arguments.insert(arguments.end(), {"clients.xlsx", "whitelist.txt"});
    const auto result = RunCli(arguments, folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "13300133000\n");
  }
}

// A workbook's numbers beyond the memory allowed are kept in a temporary file, gone at the end.
TEST(WorkbookCli, ComparesALargeWorkbookWithinLittleMemory) {
  TemporaryFolder folder;
  constexpr int kRows = 100000;
  std::string cells;
  std::string whitelist;
  std::string expected;
  for (int row = 1; row <= kRows; ++row) {
    const std::string number = std::to_string(13000000000LL + row * 7919LL);
    cells += Row(row, Figure("B" + std::to_string(row), number));
    (row % 2 == 0 ? whitelist : expected) += number + "\n";
  }
  test::WriteZip(folder / "clients.xlsx", test::WorkbookParts({{"客户", cells}}));
  WriteFile(folder / "whitelist.txt", whitelist);
  std::filesystem::create_directory(folder / "temp");
  const auto result = RunCli({"compare", "--different", "--memory", "2M", "--temp-dir", "temp", "--separator", "\\n",
                              "--out", "missing.txt", "clients.xlsx", "whitelist.txt"},
                             folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadFile(folder / "missing.txt"), expected);
  EXPECT_EQ(test::FileNamesIn(folder / "temp"), std::vector<std::string>{});
}

// Each fails with one message and replaces nothing.
TEST(WorkbookCli, BadWorkbooksAndChoicesChangeNothing) {
  TemporaryFolder folder;
  WriteClients(folder / "clients.xlsx");
  WriteFile(folder / "old.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'));
  WriteFile(folder / "broken.xlsx", "PK\x03\x04 not a whole archive");
  std::filesystem::create_directory(folder / "out");
  WriteFile(folder / "out/移动.txt", "old");
  // clang-format off
  const test::CliFailureCase cases[] = {
      {"NoSuchSheet", {"classify", "--out", "out", "--sheet", "Sheet2", "clients.xlsx"}, 2,
       "zelvane-cli: 无法读取文件“clients.xlsx”：工作簿中没有工作表“Sheet2”（有1个：客户）\n请用“zelvane-cli classify --help”查看用法。\n"},
      {"NoSuchHeader", {"classify", "--out", "out", "--column", "电话", "clients.xlsx"}, 2,
       "zelvane-cli: 无法读取文件“clients.xlsx”：找不到标题为“电话”的列\n"},
      {"LegacyXls", {"classify", "--out", "out", "old.xls"}, 1, "zelvane-cli: 无法读取文件“old.xls”：这是旧版 Excel 97-2003 工作簿"},
      {"Broken", {"compare", "--same", "broken.xlsx", "clients.xlsx"}, 1, "zelvane-cli: 无法读取文件“broken.xlsx”：文件已损坏或不完整"},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto result = RunCli(c.arguments, folder.path());
    EXPECT_EQ(result.exitCode, c.exitCode) << c.name;
    EXPECT_TRUE(result.err.starts_with(c.errorStart)) << c.name << ": " << result.err;
    EXPECT_EQ(ReadFile(folder / "out/移动.txt"), "old") << c.name;
  }
}

}  // namespace
}  // namespace zelvane
