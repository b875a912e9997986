#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::CliFailureCase;
using test::ReadFile;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

const std::vector<std::string> kFiveFiles = {"移动.txt", "联通.txt", "电信.txt", "小灵通.txt", "其他.txt"};

std::vector<std::string> FiveFiles(const std::filesystem::path& folder) {
  std::vector<std::string> contents;
  for (const std::string& name : kFiveFiles) contents.push_back(ReadFile(folder / name));
  return contents;
}

TEST(ClassifyCli, ImportsTheFilesInOrderAndWritesFiveFiles) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "\xEF\xBB\xBF+8613912345678\r\n18612345678\n0755123456,95588\n");
  WriteFile(folder / "b.txt", "13812345678 15312345678\r\n13912345678\n12\n");
  const auto result = RunCli({"classify", "--out", "out", "a.txt", "b.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "当前共有7个号码，移动3个，联通1个，电信1个，小灵通1个，其他1个\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(FiveFiles(folder / "out"),
            (std::vector<std::string>{"13912345678\r\n13812345678\r\n13912345678\r\n", "18612345678\r\n",
                                      "15312345678\r\n", "0755123456\r\n", "95588\r\n"}));
}

struct SeparatorCase {
  const char* name;
  std::string argument;
  std::string written;
};

class ClassifyCliSeparator : public testing::TestWithParam<SeparatorCase> {};

TEST_P(ClassifyCliSeparator, FollowsEveryNumber) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n13812345678\n");
  const auto result = RunCli({"classify", "--separator", GetParam().argument, "a.txt"}, folder.path());
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadFile(folder / "移动.txt"), "13912345678" + GetParam().written + "13812345678" + GetParam().written);
  EXPECT_EQ(ReadFile(folder / "其他.txt"), "");
}

INSTANTIATE_TEST_SUITE_P(Escapes, ClassifyCliSeparator,
                         testing::Values(SeparatorCase{"Empty", "", "\r\n"}, SeparatorCase{"Comma", ",", ","},
                                         SeparatorCase{"Blank", " ", " "}, SeparatorCase{"Lf", "\\n", "\n"},
                                         SeparatorCase{"CrLfTab", "\\r\\n\\t", "\r\n\t"},
                                         SeparatorCase{"Backslash", "\\\\", "\\"},
                                         SeparatorCase{"FullWidthCommaToGbk", "，", "\xA3\xAC"}),
                         [](const auto& p) { return std::string(p.param.name); });

// Bad usage and unreadable inputs write nothing: files already in the folder keep their bytes.
class ClassifyCliFailure : public testing::TestWithParam<CliFailureCase> {};

TEST_P(ClassifyCliFailure, WritesNothing) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n");
  std::filesystem::create_directory(folder / "dir");
  for (const std::string& name : kFiveFiles) WriteFile(folder / name, "old " + name);
  const auto result = RunCli(GetParam().arguments, folder.path());
  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_TRUE(result.err.starts_with(GetParam().errorStart)) << result.err;
  EXPECT_EQ(result.out, "");
  for (const std::string& name : kFiveFiles) EXPECT_EQ(ReadFile(folder / name), "old " + name);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 7) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassifyCliFailure,
    testing::Values(
        CliFailureCase{"MissingSecondInput", {"classify", "a.txt", "missing.txt"}, 1,
                    "zelvane-cli: 无法读取文件“missing.txt”：文件或文件夹不存在\n"},
        CliFailureCase{"FolderInput", {"classify", "dir"}, 1, "zelvane-cli: 无法读取文件“dir”：这是一个文件夹，不是文件\n"},
        CliFailureCase{"NoInput", {"classify"}, 2, "参数错误："},
        CliFailureCase{"BadEscape", {"classify", "--separator", "\\x", "a.txt"}, 2, "参数错误：分隔符中有不支持的转义 \\x"},
        CliFailureCase{"LoneBackslash", {"classify", "--separator", "a\\", "a.txt"}, 2, "参数错误：分隔符以单独的反斜杠结尾"},
        CliFailureCase{"NotGbk", {"classify", "--separator", "\xF0\x9F\x98\x80", "a.txt"}, 2,
                    "参数错误：分隔符中有无法用 GBK 编码表示的字符"},
        CliFailureCase{"UnknownOption", {"classify", "--bogus", "a.txt"}, 2, "参数错误："},
        CliFailureCase{"NoCommand", {}, 2, "参数错误："},
        CliFailureCase{"UnknownCommand", {"sort", "a.txt"}, 2, "参数错误："}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ClassifyCli, HelpAndVersion) {
  TemporaryFolder folder;
  const auto version = RunCli({"--version"}, folder.path());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "zelvane-cli 1.0\n");
  const auto help = RunCli({"classify", "--help"}, folder.path());
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("用法"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("--separator"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace zelvane
