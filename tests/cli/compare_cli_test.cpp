#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

// a.txt is the larger file and is scanned, whichever place it has on the command line; "-" reads it from
// standard input.
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
      // Repeats are dropped from what is written, and not counted.
      {{"--same", "--unique", "a.txt", "b.txt"}, "18612345678\r\n0755123456\r\n", "找到2个相同的号码\n", kOld},
      {{"--same", "b.txt", "-", "--memory", "2K", "--temp-dir", "."}, "18612345678\r\n18612345678\r\n0755123456\r\n",
       "找到3个相同的号码\n", kOld},
  };
  // clang-format on
  for (const auto& c : cases) {
    TemporaryFolder folder;
    WriteFile(folder / "a.txt", "\xEF\xBB\xBF+8613912345678\r\n18612345678\n15312345678,18612345678\n0755123456");
    WriteFile(folder / "b.txt", "0086186123456789\r\n13912345678\r\n0755123456\r\n");
    WriteFile(folder / "out.txt", kOld);
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.begin(), "compare");
    const auto result = RunCli(arguments, folder.path(), folder / "a.txt");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(ReadFile(folder / "out.txt"), c.file);
  }
}

// A hashed list, recognised or forced, in either place: the number file's numbers are listed and the
// matching is said; a list that is not one writes nothing.
TEST(CompareCli, MatchesAgainstAHashedList) {
  const std::string kOld = "an older result that stays";
  const std::string md5 = "7945BD83237335E5376FF44D62E4F0AE\r\n";                                 // 13800138000
  const std::string sha256 = "515c598fdf5af6f56eb2545e7263c4b474435845c00e54569169f81f4b081ff0";  // 075588886666
  const std::string said = "“list.txt”是MD5值列表，比较的是“a.txt”中号码的MD5值\n";
  const struct {
    std::vector<std::string> arguments;
    int exitCode;
    std::string out, err, file;
    // clang-format off
  } cases[] = {
      {{"--same", "list.txt", "a.txt"}, 0, "13800138000\r\n13800138000\r\n", "找到2个相同的号码\n" + said, kOld},
      {{"--different", "--unique", "--out", "out.txt", "a.txt", "list.txt"}, 0, "",
       "找到2个不同的号码\n" + said, "075588886666\r\n13912345678\r\n"},
      {{"--same", "--hashed", "sha256", "a.txt", "sha.txt"}, 0, "075588886666\r\n",
       "找到1个相同的号码\n“sha.txt”是SHA-256值列表，比较的是“a.txt”中号码的SHA-256值\n", kOld},
      {{"--same", "--out", "out.txt", "a.txt", "mixed.txt"}, 1, "",
       "zelvane-cli: 无法读取文件“mixed.txt”：其中既有散列值又有别的内容：共2项，MD5值（32位十六进制数）1项，"
       "SHA-256值（64位十六进制数）0项。散列值列表只能全是同一种散列值，号码文件中不能有散列值\n", kOld},
      {{"--same", "--hashed", "sha1", "a.txt", "list.txt"}, 2, "",
       "zelvane-cli: --hashed 的值“sha1”无效：应为 md5 或 sha256\n请用“zelvane-cli compare --help”查看用法。\n", kOld},
  };
  // clang-format on
  for (const auto& c : cases) {
    TemporaryFolder folder;
    WriteFile(folder / "a.txt", "+8613800138000\n075588886666,13912345678\n13800138000\n13912345678\n");
    WriteFile(folder / "list.txt", md5 + md5 + md5);
    WriteFile(folder / "sha.txt", sha256);
    WriteFile(folder / "mixed.txt", md5 + "13800138000");
    WriteFile(folder / "out.txt", kOld);
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.begin(), "compare");
    const auto result = RunCli(arguments, folder.path());
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(ReadFile(folder / "out.txt"), c.file);
  }
}

#ifndef _WIN32
// A libcrypto that offers no MD5 (configured for FIPS only, without the FIPS provider): the list is
// named and nothing is written.
TEST(CompareCli, ALibraryWithoutTheDigestIsToldNotACrash) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13800138000\n");
  WriteFile(folder / "list.txt", "7945bd83237335e5376ff44d62e4f0ae\n");
  WriteFile(folder / "fips.cnf",
            "openssl_conf = init\n[init]\nalg_section = algorithms\n[algorithms]\ndefault_properties = fips=yes\n");
  const auto result = test::RunProgram(
      "/bin/sh",
      {"-c", "OPENSSL_CONF=fips.cnf exec \"$0\" compare --same --out out.txt a.txt list.txt", test::CliPath()},
      folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err,
            "zelvane-cli: 无法读取文件“list.txt”：这个系统的加密库不提供MD5散列，无法与这个散列值列表比较\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
}
#endif

// A memory budget far below the files' size: the result is the same to the byte, from files and from
// standard input, and nothing is left in the temporary folder.
TEST(CompareCli, SpillsWhatDoesNotFitInMemory) {
  TemporaryFolder folder;
  std::string numbers;
  std::string whitelist;
  for (int i = 0; i < 40000; ++i) {
    numbers += (i % 7 == 0 ? "+86" : "") + std::to_string(13900000000LL + i * 7919LL % 100000) + "\r\n";
    if (i % 2 == 0) whitelist += std::to_string(13900000000LL + i * 104729LL % 100000) + "\n";
  }
  WriteFile(folder / "numbers.txt", numbers);
  WriteFile(folder / "whitelist.txt", whitelist);
  std::filesystem::create_directory(folder / "tmp");
  for (const std::string mode : {"--same", "--different"}) {
    const auto inMemory = RunCli({"compare", mode, "--unique", "numbers.txt", "whitelist.txt"}, folder.path());
    ASSERT_EQ(inMemory.exitCode, 0) << inMemory.err;
    const auto spilled =
        RunCli({"compare", mode, "--unique", "--memory", "512K", "--temp-dir", "tmp", "-", "whitelist.txt"},
               folder.path(), folder / "numbers.txt");
    EXPECT_EQ(spilled.exitCode, 0) << spilled.err;
    EXPECT_TRUE(spilled.out == inMemory.out) << mode;
    EXPECT_EQ(spilled.err, inMemory.err);
    EXPECT_GT(inMemory.out.size(), 10000u);
  }
  EXPECT_TRUE(FileNamesIn(folder / "tmp").empty());
  // A budget too small for the rounds to fit would search the other file thousands of times: it is
  // refused with the least that will do, and that does.
  const std::string refusal = "zelvane-cli: 内存上限太小，这次比较至少需要 --memory ";
  const auto refused = RunCli({"compare", "--same", "--unique", "--memory", "1", "numbers.txt", "whitelist.txt"},
                              folder.path());
  EXPECT_EQ(refused.exitCode, 2);
  ASSERT_TRUE(refused.err.starts_with(refusal)) << refused.err;
  EXPECT_EQ(refused.out, "");
  const std::string least = refused.err.substr(refusal.size(), refused.err.find('\n') - refusal.size());
  const auto taken = RunCli({"compare", "--same", "--unique", "--memory", least, "--temp-dir", "tmp", "numbers.txt",
                             "whitelist.txt"},
                            folder.path());
  EXPECT_EQ(taken.exitCode, 0) << least << ": " << taken.err;
  EXPECT_EQ(taken.out, RunCli({"compare", "--same", "--unique", "numbers.txt", "whitelist.txt"}, folder.path()).out);
}

}  // namespace
}  // namespace zelvane
