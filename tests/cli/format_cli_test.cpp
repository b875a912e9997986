// --format on the command line: classify's five files, the home-area files, compare's result (its
// format also from --out's extension) and lookup's table, as CSV and as workbooks read back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/workbook_contents.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::RunCli;
using test::SheetCell;
using test::SheetCells;
using test::TemporaryFolder;
using test::WriteFile;
using test::ZipEntries;
using Names = std::vector<std::string>;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The text cells of a workbook's first sheet, the header left out; "<no workbook>" when it is none.
std::vector<std::string> FirstSheetNumbers(const std::filesystem::path& path) {
  const auto entries = ZipEntries(path);
  if (!entries.contains("xl/worksheets/sheet1.xml")) return {"<no workbook>"};
  std::vector<std::string> numbers;
  for (const SheetCell& cell : SheetCells(entries.at("xl/worksheets/sheet1.xml"))) numbers.push_back(cell.text);
  numbers.erase(numbers.begin());
  return numbers;
}

TEST(FormatCli, ClassifyWritesTheFiveFilesInTheFormat) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt",
            "13912345678\r\n13000301234\r\n075512345678\r\n8613812345678\r\n95588\r\n12\xD6\xD0\x80\r\n");
  const auto csv = RunCli({"classify", "--format", "csv", "--out", "out", "a.txt"}, folder.path());
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(
      csv.out,
      "当前共有6个号码，移动2个，联通1个，电信0个，小灵通1个，其他2个\n1个号码含有不是 GBK 文字的字节，写成了“?”\n");
  EXPECT_EQ(FileNamesIn(folder / "out"), (Names{"其他.csv", "小灵通.csv", "电信.csv", "移动.csv", "联通.csv"}));
  EXPECT_EQ(ReadFile(folder / "out/移动.csv"), std::string(kBom) + "号码\r\n13912345678\r\n13812345678\r\n");
  EXPECT_EQ(ReadFile(folder / "out/其他.csv"), std::string(kBom) + "号码\r\n95588\r\n12中?\r\n");
  EXPECT_EQ(ReadFile(folder / "out/电信.csv"), std::string(kBom) + "号码\r\n");

  const auto xlsx =
      RunCli({"classify", "--format", "xlsx", "--unique", "--out", "out", "a.txt", "a.txt"}, folder.path());
  ASSERT_EQ(xlsx.exitCode, 0) << xlsx.err;
  EXPECT_EQ(FirstSheetNumbers(folder / "out/移动.xlsx"), (Names{"13912345678", "13812345678"}));
  EXPECT_EQ(FirstSheetNumbers(folder / "out/小灵通.xlsx"), Names{"075512345678"});
  EXPECT_EQ(FirstSheetNumbers(folder / "out/电信.xlsx"), Names{});
  EXPECT_EQ(FileNamesIn(folder / "out").size(), 10u);  // the CSV files stay beside them
}

TEST(FormatCli, ClassifyByAreaWritesTheFilesInTheFormat) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13000301234\r\n075512345678\r\n13000301235\r\n");
  const auto result = RunCli({"classify", "--by", "province", "--format", "xlsx", "a.txt"}, folder.path());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "当前共有3个号码，写入2个文件\n广东省.xlsx\t1\n江苏省.xlsx\t2\n");
  EXPECT_EQ(FirstSheetNumbers(folder / "江苏省.xlsx"), (Names{"13000301234", "13000301235"}));
  EXPECT_EQ(FirstSheetNumbers(folder / "广东省.xlsx"), Names{"075512345678"});
}

TEST(FormatCli, CompareTakesTheFormatFromOutOrFromFormat) {
  TemporaryFolder folder;
  WriteFile(folder / "big.txt", "13912345678\n13812345678\n13712345678\n");
  WriteFile(folder / "small.txt", "13812345678\n");
  struct Case {
    std::vector<std::string> arguments;
    const char* file;
    bool workbook;
  };
  const Case cases[] = {
      {{"--out", "r.xlsx"}, "r.xlsx", true},
      {{"--out", "r.CSV"}, "r.CSV", false},
      {{"--out", "plain.xlsx", "--format", "csv"}, "plain.xlsx", false},
      {{"--out", "r.dat", "--format", "xlsx"}, "r.dat", true},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"compare", "--different"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    arguments.insert(arguments.end(), {"big.txt", "small.txt"});
    const auto result = RunCli(arguments, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "找到2个不同的号码\n");
    if (c.workbook) {
      EXPECT_EQ(FirstSheetNumbers(folder / c.file), (Names{"13912345678", "13712345678"})) << c.file;
    } else {
      EXPECT_EQ(ReadFile(folder / c.file), std::string(kBom) + "号码\r\n13912345678\r\n13712345678\r\n") << c.file;
    }
  }
}

TEST(FormatCli, LookupWritesTheTable) {
  TemporaryFolder folder;
  const auto csv = RunCli({"lookup", "--format", "csv", "--out", "t.csv", "13000301234", "16212345678"}, folder.path());
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(ReadFile(folder / "t.csv"), std::string(kBom) +
                                            "号码,运营商,省份,城市,区号\r\n13000301234,联通,江苏省,南京市,025\r\n"
                                            "16212345678,其他,未知地区,,\r\n");
  const auto xlsx = RunCli({"lookup", "--format", "xlsx", "--out", "t.xlsx", "075512345678"}, folder.path());
  ASSERT_EQ(xlsx.exitCode, 0) << xlsx.err;
  const auto entries = ZipEntries(folder / "t.xlsx");
  ASSERT_TRUE(entries.contains("xl/worksheets/sheet1.xml"));
  EXPECT_EQ(SheetCells(entries.at("xl/worksheets/sheet1.xml")), (std::vector<SheetCell>{{"A1", "号码"},
                                                                                        {"B1", "运营商"},
                                                                                        {"C1", "省份"},
                                                                                        {"D1", "城市"},
                                                                                        {"E1", "区号"},
                                                                                        {"A2", "075512345678"},
                                                                                        {"B2", "小灵通"},
                                                                                        {"C2", "广东省"},
                                                                                        {"D2", "深圳市"},
                                                                                        {"E2", "0755"}}));
  const auto tsv = RunCli({"lookup", "--out", "t.tsv", "13000301234"}, folder.path());
  ASSERT_EQ(tsv.exitCode, 0) << tsv.err;
  EXPECT_EQ(ReadFile(folder / "t.tsv"), "13000301234\t联通\t江苏省\t南京市\t025\n");
}

TEST(FormatCli, TablesNeedAFileAndAKnownFormat) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n");
  const test::CliFailureCase cases[] = {
      {"CompareXlsxToStandardOutput",
       {"compare", "--same", "--format", "xlsx", "a.txt", "a.txt"},
       2,
       "zelvane-cli: csv 和 xlsx 格式的结果只能写入文件"},
      {"LookupCsvToStandardOutput",
       {"lookup", "--format", "csv", "13912345678"},
       2,
       "zelvane-cli: csv 和 xlsx 格式的表只能写入文件"},
      {"ClassifyUnknownFormat",
       {"classify", "--format", "xls", "a.txt"},
       2,
       "zelvane-cli: 文件格式“xls”无效：应为 txt、csv 或 xlsx\n"},
      {"CompareUnknownFormat",
       {"compare", "--same", "--format", "XLSX", "--out", "r", "a.txt", "a.txt"},
       2,
       "zelvane-cli: 文件格式“XLSX”无效"},
      {"LookupUnknownFormat",
       {"lookup", "--format", "txt", "13912345678"},
       2,
       "zelvane-cli: 表的格式“txt”无效：应为 tsv、csv 或 xlsx\n"},
  };
  for (const test::CliFailureCase& c : cases) {
    const auto result = RunCli(c.arguments, folder.path());
    EXPECT_EQ(result.exitCode, c.exitCode) << c.name << ": " << result.err;
    EXPECT_TRUE(result.err.starts_with(c.errorStart)) << c.name << ": " << result.err;
  }
  EXPECT_EQ(FileNamesIn(folder.path()), Names{"a.txt"});
}

// A workbook under a Chinese name with a blank, in a Chinese folder, with the temporary files in a
// Chinese folder as well (a Chinese user name): on Windows every one of them goes by its UTF-16 name.
TEST(FormatCli, WorkbooksUnderChineseNames) {
  TemporaryFolder folder;
  std::filesystem::create_directories(folder / "用户 张三/临时");
  std::filesystem::create_directory(folder / "号码 文件夹");
  WriteFile(folder / "号码 文件夹/号码 列表.txt", "13912345678\r\n13000301234\r\n");
  const test::TemporaryFilesIn chinese(folder / "用户 张三/临时");
  const auto compare = RunCli({"compare", "--same", "--out", "号码 文件夹/号码 测试.xlsx", "号码 文件夹/号码 列表.txt",
                               "号码 文件夹/号码 列表.txt"},
                              folder.path());
  ASSERT_EQ(compare.exitCode, 0) << compare.err;
  EXPECT_EQ(FirstSheetNumbers(folder / "号码 文件夹/号码 测试.xlsx"), (Names{"13912345678", "13000301234"}));
  const auto classify =
      RunCli({"classify", "--format", "xlsx", "--out", "分类 结果", "号码 文件夹/号码 列表.txt"}, folder.path());
  ASSERT_EQ(classify.exitCode, 0) << classify.err;
  EXPECT_EQ(FirstSheetNumbers(folder / "分类 结果/联通.xlsx"), Names{"13000301234"});
  EXPECT_EQ(FileNamesIn(folder / "用户 张三/临时"), Names{});
  EXPECT_EQ(FileNamesIn(folder / "号码 文件夹"), (Names{"号码 列表.txt", "号码 测试.xlsx"}));
}

// A workbook or CSV file that cannot be written replaces nothing, and leaves nothing.
TEST(FormatCli, FailuresLeaveNoFile) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n");
  std::filesystem::create_directory(folder / "r.xlsx");
  for (const char* format : {"csv", "xlsx"}) {
    const auto result =
        RunCli({"compare", "--same", "--format", format, "--out", "r.xlsx", "a.txt", "a.txt"}, folder.path());
    EXPECT_EQ(result.exitCode, 1) << format;
    EXPECT_TRUE(result.err.starts_with("zelvane-cli: 无法写入文件“r.xlsx”")) << result.err;
  }
  EXPECT_EQ(FileNamesIn(folder.path()), (Names{"a.txt", "r.xlsx"}));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "r.xlsx"));
}

}  // namespace
}  // namespace zelvane
