#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

TEST(ClassifyCli, ImportsTheFilesInOrderAndWritesFiveFiles) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "\xEF\xBB\xBF+8613912345678\r\n18612345678\n0755123456,95588\n");
  WriteFile(folder / "b.txt", "13812345678 15312345678\r\n13912345678\n12\n");
  const auto result = RunCli({"classify", "--out", "out", "a.txt", "b.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "当前共有7个号码，移动3个，联通1个，电信1个，小灵通1个，其他1个\n");
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> expected = {"13912345678\r\n13812345678\r\n13912345678\r\n", "18612345678\r\n",
                                             "15312345678\r\n", "0755123456\r\n", "95588\r\n"};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ReadFile(folder / ("out/" + std::string(test::kCategoryFileNames[i]))), expected[i]);
  }
}

TEST(ClassifyCli, SeparatorEscapesAndGbk) {
  const std::pair<std::string, std::string> cases[] = {{"\\r\\n\\t\\\\", "\r\n\t\\"}, {"，", "\xA3\xAC"}};
  for (const auto& [argument, written] : cases) {
    TemporaryFolder folder;
    WriteFile(folder / "a.txt", "13912345678\n13812345678\n");
    const auto result = RunCli({"classify", "--separator", argument, "a.txt"}, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadFile(folder / "移动.txt"), "13912345678" + written + "13812345678" + written);
    EXPECT_EQ(ReadFile(folder / "其他.txt"), "");
  }
}

// Hundreds of thousands of distinct numbers, each twice: --unique writes each once, in first order,
// however often its table grew on the way.
TEST(ClassifyCli, UniqueWritesEachOfManyNumbersOnce) {
  for (const long long distinct : {60000LL, 200000LL}) {
    TemporaryFolder folder;
    std::string numbers;
    for (long long i = 0; i < distinct; ++i) numbers += std::to_string(13900000000LL + i * 7919 % 10000000) + "\n";
    WriteFile(folder / "a.txt", numbers + numbers);
    const auto result = RunCli({"classify", "--unique", "--separator", "\\n", "a.txt", "a.txt"}, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(ReadFile(folder / "移动.txt") == numbers) << distinct;
  }
}

// Standard input and a pipe read to their end; --unique keeps first occurrences; --prefixes current
// sorts by today's table.
#ifndef _WIN32  // a FIFO
TEST(ClassifyCli, StreamsUniqueAndTables) {
  TemporaryFolder folder;
  WriteFile(folder / "in.txt", "18212345678 13912345678 8618212345678 17031234567\n");
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  std::thread writer([&folder] { WriteFile(folder / "pipe", "19912345678\n18212345678"); });
  const auto result = RunCli({"classify", "--unique", "--prefixes", "current", "--separator", "\\n", "in.txt", "-"},
                             folder.path(), folder / "pipe");
  writer.join();
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "当前共有4个号码，移动3个，联通0个，电信1个，小灵通0个，其他0个\n");
  EXPECT_EQ(ReadFile(folder / "移动.txt"), "18212345678\n13912345678\n17031234567\n");
  EXPECT_EQ(ReadFile(folder / "电信.txt"), "19912345678\n");
}

#endif

TEST(PrefixesCli, PrintsTablesThatClassifyTakesBack) {
  TemporaryFolder folder;
  const auto original = RunCli({"prefixes"}, folder.path());
  EXPECT_EQ(original.exitCode, 0);
  EXPECT_NE(original.out.find("\n189\t电信\n"), std::string::npos);
  const auto current = RunCli({"prefixes", "current"}, folder.path());
  WriteFile(folder / "mine.txt", current.out + "182 联通\n");
  WriteFile(folder / "a.txt", "18212345678\n");
  EXPECT_EQ(RunCli({"classify", "--prefixes", "mine.txt", "a.txt"}, folder.path()).exitCode, 2) << "182 twice";
  WriteFile(folder / "mine.txt", current.out);
  const auto result = RunCli({"classify", "--prefixes", "mine.txt", "a.txt"}, folder.path());
  EXPECT_EQ(result.out, "当前共有1个号码，移动1个，联通0个，电信0个，小灵通0个，其他0个\n");
}

TEST(Cli, HelpAndVersion) {
  TemporaryFolder folder;
  const auto version = RunCli({"--version"}, folder.path());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "zelvane-cli 1.0\n");
  // clang-format off
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"classify", {"用法", "--separator", "--unique", "--prefixes", "--separator '\\n'"}},
      {"compare", {"--same", "--different", "--out", "--separator"}}, {"prefixes", {"current"}}};
  // clang-format on
  for (const auto& [command, words] : cases) {
    const auto help = RunCli({command, "--help"}, folder.path());
    EXPECT_EQ(help.exitCode, 0);
    for (const std::string& word : words) {
      EXPECT_NE(help.out.find(word), std::string::npos) << word << "\n" << help.out;
    }
  }
}

}  // namespace
}  // namespace zelvane
