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

// a.txt is the larger file and is scanned, whichever place it has on the command line.
void WriteInputs(const TemporaryFolder& folder) {
  WriteFile(folder / "a.txt", "\xEF\xBB\xBF+8613912345678\r\n18612345678\n15312345678,18612345678\n0755123456");
  WriteFile(folder / "b.txt", "0086186123456789\r\n13912345678\r\n0755123456\r\n");
}

struct OutputCase {
  const char* name;
  std::vector<std::string> arguments;
  std::string out;
  std::string err;
};

class CompareCliOutput : public testing::TestWithParam<OutputCase> {};

TEST_P(CompareCliOutput, WritesTheNumbersToStandardOutput) {
  TemporaryFolder folder;
  WriteInputs(folder);
  const auto result = RunCli(GetParam().arguments, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, GetParam().out);
  EXPECT_EQ(result.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareCliOutput,
    testing::Values(
        OutputCase{"Same", {"compare", "--same", "a.txt", "b.txt"}, "18612345678\r\n18612345678\r\n0755123456\r\n",
                   "找到3个相同的号码\n"},
        OutputCase{"DifferentWithLargerFileSecond", {"compare", "b.txt", "a.txt", "--different"},
                   "13912345678\r\n15312345678\r\n", "找到2个不同的号码\n"},
        OutputCase{"SeparatorEscapes", {"compare", "--same", "--separator", "\\t\\n", "a.txt", "b.txt"},
                   "18612345678\t\n18612345678\t\n0755123456\t\n", "找到3个相同的号码\n"},
        OutputCase{"SameFileTwice", {"compare", "--different", "b.txt", "b.txt"}, "", "找到0个不同的号码\n"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CompareCli, WritesTheResultFileWhole) {
  TemporaryFolder folder;
  WriteInputs(folder);
  WriteFile(folder / "out.txt", "an older and longer result that must go");
  const auto result =
      RunCli({"compare", "--different", "--out", "out.txt", "--separator", ",", "a.txt", "b.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "找到2个不同的号码\n");
  EXPECT_EQ(ReadFile(folder / "out.txt"), "13912345678,15312345678,");
}

// Bad usage and unreadable inputs write nothing: the result file keeps its bytes and nothing is printed.
class CompareCliFailure : public testing::TestWithParam<CliFailureCase> {};

TEST_P(CompareCliFailure, WritesNothing) {
  TemporaryFolder folder;
  WriteInputs(folder);
  std::filesystem::create_directory(folder / "dir");
  WriteFile(folder / "out.txt", "old");
  std::vector<std::string> arguments = GetParam().arguments;
  arguments.insert(arguments.begin() + 1, {"--out", "out.txt"});
  const auto result = RunCli(arguments, folder.path());
  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_TRUE(result.err.starts_with(GetParam().errorStart)) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadFile(folder / "out.txt"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 4) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareCliFailure,
    testing::Values(
        CliFailureCase{"FirstMissing", {"compare", "--same", "missing.txt", "b.txt"}, 1,
                    "zelvane-cli: 无法读取文件“missing.txt”：文件或文件夹不存在\n"},
        CliFailureCase{"SecondMissing", {"compare", "--different", "a.txt", "missing.txt"}, 1,
                    "zelvane-cli: 无法读取文件“missing.txt”：文件或文件夹不存在\n"},
        CliFailureCase{"FolderInput", {"compare", "--same", "dir", "a.txt"}, 1,
                    "zelvane-cli: 无法读取文件“dir”：这是一个文件夹，不是文件\n"},
        CliFailureCase{"NoMode", {"compare", "a.txt", "b.txt"}, 2,
                    "参数错误：请指定 --same（找相同）或 --different（找不同）中的一个\n"},
        CliFailureCase{"BothModes", {"compare", "--same", "--different", "a.txt", "b.txt"}, 2,
                    "参数错误：请指定 --same（找相同）或 --different（找不同）中的一个\n"},
        CliFailureCase{"OneFile", {"compare", "--same", "a.txt"}, 2, "参数错误：需要两个号码文件，实际给出了1个\n"},
        CliFailureCase{"ThreeFiles", {"compare", "--same", "a.txt", "b.txt", "a.txt"}, 2,
                    "参数错误：需要两个号码文件，实际给出了3个\n"},
        CliFailureCase{"BadSeparator", {"compare", "--same", "--separator", "\\x", "a.txt", "b.txt"}, 2,
                    "参数错误：分隔符中有不支持的转义 \\x"},
        CliFailureCase{"UnknownOption", {"compare", "--same", "--bogus", "a.txt", "b.txt"}, 2, "参数错误："}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CompareCli, UnwritableResultFileIsNamed) {
  TemporaryFolder folder;
  WriteInputs(folder);
  const auto result = RunCli({"compare", "--same", "--out", "no/such/out.txt", "a.txt", "b.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zelvane-cli: 无法写入文件“no/such/out.txt”：文件或文件夹不存在\n");
  EXPECT_EQ(result.out, "");
}

TEST(CompareCli, Help) {
  TemporaryFolder folder;
  const auto help = RunCli({"compare", "--help"}, folder.path());
  EXPECT_EQ(help.exitCode, 0);
  for (const char* option : {"--same", "--different", "--out", "--separator"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option << "\n" << help.out;
  }
}

}  // namespace
}  // namespace zelvane
