#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/workbook_contents.h"

namespace zelvane {
namespace {

using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

// Arguments and standard input in order, each number normalised, with its carrier and home area. A run
// longer than a number file's token is skipped alike from both, and counted.
TEST(LookupCli, PrintsNumberCarrierProvinceAndCity) {
  TemporaryFolder folder;
  const std::string longRun(31, '1');
  WriteFile(folder / "in.txt",
            "\xEF\xBB\xBF"
            "13912345678\r\n0101234567,19912345678 12 " +
                longRun + " 8617726001234");
  const auto result = RunCli({"lookup", "+8613000301234", "-", longRun, "075512345678", "16212345678"}, folder.path(),
                             folder / "in.txt");
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "zelvane-cli: 跳过了2个超过30个字节的号码\n");
  EXPECT_EQ(result.out,
            "13000301234\t联通\t江苏省\t南京市\t025\n"
            "13912345678\t移动\t江苏省\t常州市\t0519\n"
            "0101234567\t小灵通\t北京市\t北京市\t010\n"
            "19912345678\t其他\t未知地区\t\t\n"
            "17726001234\t其他\t天津市\t天津市\t022\n"
            "075512345678\t小灵通\t广东省\t深圳市\t0755\n"
            "16212345678\t其他\t未知地区\t\t\n");
}

TEST(LookupCli, TakesTheTablesGiven) {
  TemporaryFolder folder;
  WriteFile(folder / "areas.txt", "# 自己的\n199 四川省 成都市\n");
  const auto result =
      RunCli({"lookup", "--prefixes", "current", "--areas", "areas.txt", "19912345678", "13912345678"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "19912345678\t电信\t四川省\t成都市\t\n13912345678\t移动\t未知地区\t\t\n");
}

// A bad table stops the command before standard input is read; nothing is printed.
TEST(LookupCli, RefusesBadTablesFirst) {
  TemporaryFolder folder;
  WriteFile(folder / "areas.txt", "199 四川省 成都市\n19x 四川省 成都市\n");
  WriteFile(folder / "in.txt", "13912345678\n");
  const std::string format =
      "应为“号段 省份 城市”，号段是以 1 开头的 3 到 7 位数字或以 0 开头的区号，如“1391234 江苏省 南京市”";
  // clang-format off
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{"lookup", "--areas", "areas.txt", "-"}, 2,
       "zelvane-cli: 归属地表“areas.txt”第2行：" + format + "\n请用“zelvane-cli lookup --help”查看用法。\n"},
      {{"lookup", "--areas", "none.txt", "-"}, 1, "zelvane-cli: 无法读取文件“none.txt”：文件或文件夹不存在\n"},
      {{"lookup"}, 2, "zelvane-cli: 缺少要查询的号码\n请用“zelvane-cli lookup --help”查看用法。\n"},
      {{"areas", "areas.txt"}, 2,
       "zelvane-cli: 归属地表“areas.txt”第2行：" + format + "\n请用“zelvane-cli areas --help”查看用法。\n"},
      {{"areas", "none.txt"}, 1, "zelvane-cli: 无法读取文件“none.txt”：文件或文件夹不存在\n"},
  };
  // clang-format on
  for (const auto& [arguments, exitCode, err] : cases) {
    const auto result = RunCli(arguments, folder.path(), folder / "in.txt");
    EXPECT_EQ(result.exitCode, exitCode) << arguments.back();
    EXPECT_EQ(result.err, err);
    EXPECT_EQ(result.out, "");
  }
}

// The built-in table prints in the table format and, as one's own table, looks up the same.
TEST(AreasCli, PrintsTablesThatLookupTakesBack) {
  TemporaryFolder folder;
  const auto builtin = RunCli({"areas"}, folder.path());
  EXPECT_EQ(builtin.exitCode, 0) << builtin.err;
  EXPECT_TRUE(builtin.out.starts_with("# 归属地表：内置\n")) << builtin.out.substr(0, 100);
  EXPECT_NE(builtin.out.find("\n# Copyright (C) 2011-2022 The Libphonenumber Authors\n"), std::string::npos);
  EXPECT_NE(builtin.out.find("\n033\t河北省\t秦皇岛市\n"), std::string::npos);
  EXPECT_TRUE(builtin.out.ends_with("\n189999\t新疆\t乌鲁木齐市\n")) << builtin.out.substr(builtin.out.size() - 100);
  EXPECT_EQ(RunCli({"areas", "builtin"}, folder.path()).out, builtin.out);
  WriteFile(folder / "mine.txt", builtin.out + "1999 四川省 成都市\n");
  const auto mine = RunCli({"areas", "mine.txt"}, folder.path());
  EXPECT_EQ(mine.exitCode, 0) << mine.err;
  EXPECT_EQ(mine.out, builtin.out + "1999 四川省 成都市\n");
  const std::vector<std::string> numbers = {"13000301234", "03351234567", "19991234567"};
  std::vector<std::string> lookup = {"lookup", "--areas", "mine.txt"};
  lookup.insert(lookup.end(), numbers.begin(), numbers.end());
  EXPECT_EQ(RunCli(lookup, folder.path()).out,
            "13000301234\t联通\t江苏省\t南京市\t025\n03351234567\t小灵通\t河北省\t秦皇岛市\t\n"
            "19991234567\t其他\t四川省\t成都市\t028\n");
}

// The table by province or city to standard output or a file, the summary on standard error; what is
// wrong is said as for the other commands and writes nothing.
TEST(ReportCli, CountsByAreaAndCarrier) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", "13000301234\r\n13000301234,075512345678 19912345678\n07101234567\n");
  const std::string summary = "共5个号码，不同的号码4个，重复1个，未知地区1个（20.0%）\n";
  const auto byProvince = RunCli({"report", "in.txt"}, folder.path());
  EXPECT_EQ(byProvince.exitCode, 0) << byProvince.err;
  EXPECT_EQ(byProvince.out,
            "省份\t移动\t联通\t电信\t小灵通\t其他\t合计\n"
            "江苏省\t0\t2\t0\t0\t0\t2\n广东省\t0\t0\t0\t1\t0\t1\n未知地区\t0\t0\t0\t0\t1\t1\n湖北省\t0\t0\t0\t1\t0\t1\n"
            "合计\t0\t2\t0\t2\t1\t5\n");
  EXPECT_EQ(byProvince.err, summary);
  const auto byCity = RunCli({"report", "--by", "city", "--out", "表.tsv", "-"}, folder.path(), folder / "in.txt");
  EXPECT_EQ(byCity.exitCode, 0) << byCity.err;
  EXPECT_EQ(byCity.out, "");
  EXPECT_EQ(test::ReadFile(folder / "表.tsv"),
            "省份\t城市\t区号\t移动\t联通\t电信\t小灵通\t其他\t合计\n"
            "江苏省\t南京市\t025\t0\t2\t0\t0\t0\t2\n广东省\t深圳市\t0755\t0\t0\t0\t1\t0\t1\n"
            "未知地区\t\t\t0\t0\t0\t0\t1\t1\n湖北省\t襄阳市\t0710\t0\t0\t0\t1\t0\t1\n合计\t\t\t0\t2\t0\t2\t1\t5\n");
  // clang-format off
  const std::tuple<std::vector<std::string>, int, std::string> failures[] = {
      {{"report"}, 2, "zelvane-cli: 缺少要统计的号码文件\n请用“zelvane-cli report --help”查看用法。\n"},
      {{"report", "--by", "town", "in.txt"}, 2, "--by"},
      {{"report", "none.txt"}, 1, "zelvane-cli: 无法读取文件“none.txt”：文件或文件夹不存在\n"},
      {{"report", "--out", "无此文件夹/表.tsv", "in.txt"}, 1, "无此文件夹"}};
  // clang-format on
  for (const auto& [arguments, exitCode, err] : failures) {
    const auto result = RunCli(arguments, folder.path());
    EXPECT_EQ(result.exitCode, exitCode) << arguments.back();
    EXPECT_NE(result.err.find(err), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(test::FileNamesIn(folder.path()), (std::vector<std::string>{"in.txt", "表.tsv"}));
}

// The table as a CSV file (UTF-8 with its mark, for Excel) or a workbook, by --out's extension or --format;
// the workbook's counts are numbers (Excel sums and sorts them), names and codes text.
TEST(ReportCli, WritesCsvFilesAndWorkbooks) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", "13000301234\n075512345678\n");
  const auto csv = RunCli({"report", "--out", "表.csv", "in.txt"}, folder.path());
  EXPECT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(test::ReadFile(folder / "表.csv"),
            "\xEF\xBB\xBF省份,移动,联通,电信,小灵通,其他,合计\r\n广东省,0,0,0,1,0,1\r\n江苏省,0,1,0,0,0,1\r\n"
            "合计,0,1,0,1,0,2\r\n");
  const auto xlsx = RunCli({"report", "--by", "city", "--format", "xlsx", "--out", "表", "in.txt"}, folder.path());
  EXPECT_EQ(xlsx.exitCode, 0) << xlsx.err;
  const std::vector<test::SheetCell> cells =
      test::SheetCells(test::ZipEntries(folder / "表.xlsx")["xl/worksheets/sheet1.xml"]);
  ASSERT_EQ(cells.size(), 4u * 9u - 2u);  // the 合计 row has no city and no code
  EXPECT_EQ(cells[9], (test::SheetCell{"A2", "广东省"}));
  EXPECT_EQ(cells[8], (test::SheetCell{"I1", "合计"}));
  EXPECT_EQ(cells[11], (test::SheetCell{"C2", "0755"}));
  EXPECT_EQ(cells[15], (test::SheetCell{"G2", "1", true}));
  EXPECT_EQ(cells.back(), (test::SheetCell{"I4", "2", true}));
  const auto refused = RunCli({"report", "--format", "xlsx", "in.txt"}, folder.path());
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.out, "");
}

}  // namespace
}  // namespace zelvane
