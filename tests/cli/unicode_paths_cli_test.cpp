// Chinese file and folder names with blanks in them, relative and whole, in every command that takes a
// path: on Windows they come through the wide command line and the wide file functions.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

constexpr const char* kInput = "号码 文件夹/我的 号码.txt";

struct PathCase {
  const char* name;
  // "@" at the start of an argument stands for the test's folder, so that whole paths are tried too.
  std::vector<std::string> arguments;
  std::map<std::string, std::string> files;  // what the command must have written, by name
  std::string out;                           // standard output, when it is data
};

class UnicodePathsTest : public testing::TestWithParam<PathCase> {};

TEST_P(UnicodePathsTest, ReachesTheNamedFiles) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "号码 文件夹");
  WriteFile(folder / kInput, "13912345678\r\n075512345678\r\n13000301234\r\n");
  WriteFile(folder / "白 名单.txt", "13912345678\n");
  WriteFile(folder / "归属 地表.txt", "139 四川省 成都市\n");
  std::vector<std::string> arguments = GetParam().arguments;
  for (std::string& argument : arguments) {
    if (argument.starts_with('@')) argument = PathInMessage(folder.path()) + "/" + argument.substr(1);
  }
  const auto result = RunCli(arguments, folder.path(), folder / kInput);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  for (const auto& [name, bytes] : GetParam().files) EXPECT_EQ(ReadFile(folder / name), bytes) << name;
  if (GetParam().files.empty()) {
    EXPECT_EQ(result.out, GetParam().out);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Commands, UnicodePathsTest,
    testing::Values(
        PathCase{"Classify", {"classify", "--out", "分类 结果", kInput},
                 {{"分类 结果/移动.txt", "13912345678\r\n"}, {"分类 结果/联通.txt", "13000301234\r\n"},
                  {"分类 结果/小灵通.txt", "075512345678\r\n"}, {"分类 结果/其他.txt", ""}}, ""},
        PathCase{"ClassifyWholePaths", {"classify", "--out", "@分类 结果", std::string("@") + kInput},
                 {{"分类 结果/移动.txt", "13912345678\r\n"}, {"分类 结果/电信.txt", ""}}, ""},
        PathCase{"ClassifyByCity", {"classify", "--by", "city", "--out", "@按 城市", kInput},
                 {{"按 城市/江苏省-常州市.txt", "13912345678\r\n"}, {"按 城市/广东省-深圳市.txt", "075512345678\r\n"},
                  {"按 城市/江苏省-南京市.txt", "13000301234\r\n"}}, ""},
        PathCase{"Compare", {"compare", "--different", "--quiet", "--out", "比较 结果.txt", kInput, "白 名单.txt"},
                 {{"比较 结果.txt", "075512345678\r\n13000301234\r\n"}}, ""},
        PathCase{"LookupFromStandardInput", {"lookup", "--areas", "归属 地表.txt", "-"}, {},
                 "13912345678\t移动\t四川省\t成都市\t\n075512345678\t小灵通\t未知地区\t\t\n13000301234\t联通\t未知地区\t\t\n"},
        PathCase{"LookupTableWholePath", {"lookup", "--areas", "@归属 地表.txt", "13912345678"}, {},
                 "13912345678\t移动\t四川省\t成都市\t\n"},
        PathCase{"LookupFrom", {"lookup", "--from", "白 名单.txt"}, {}, "13912345678\t移动\t江苏省\t常州市\t0519\n"}),
    [](const auto& p) { return std::string(p.param.name); });
// clang-format on

}  // namespace
}  // namespace zelvane
