#include <gtest/gtest.h>

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

// a.txt is the larger file and is scanned, whichever place it has on the command line.
TEST(CompareCli, ListsTheNumbersOfTheLargerFile) {
  const std::string kOld = "an older and longer result that must go";
  const struct {
    std::vector<std::string> arguments;
    std::string out, err, file;
    // clang-format off
  } cases[] = {
      {{"--same", "a.txt", "b.txt"}, "18612345678\r\n18612345678\r\n0755123456\r\n", "找到3个相同的号码\n", kOld},
      {{"b.txt", "a.txt", "--different"}, "13912345678\r\n15312345678\r\n", "找到2个不同的号码\n", kOld},
      // The result file is replaced whole.
      {{"--different", "--out", "out.txt", "--separator", "\\t", "a.txt", "b.txt"}, "", "找到2个不同的号码\n",
       "13912345678\t15312345678\t"},
  };
  // clang-format on
  for (const auto& c : cases) {
    TemporaryFolder folder;
    WriteFile(folder / "a.txt", "\xEF\xBB\xBF+8613912345678\r\n18612345678\n15312345678,18612345678\n0755123456");
    WriteFile(folder / "b.txt", "0086186123456789\r\n13912345678\r\n0755123456\r\n");
    WriteFile(folder / "out.txt", kOld);
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.begin(), "compare");
    const auto result = RunCli(arguments, folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(ReadFile(folder / "out.txt"), c.file);
  }
}

}  // namespace
}  // namespace zelvane
