// --hash and --mask on the command line: digests known from md5sum and sha256sum of the normalised
// numbers (a landline with its 0 and area code), what is left out and said, and the options refused.
// Runs under Wine too, where the digests come from the system's CNG.

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

constexpr std::string_view kNumbers = "+8613800138000\r\n075512345678\r\n张三\r\n95588\r\n01012345678\r\n";
constexpr std::string_view kMd5Of13800138000 = "7945bd83237335e5376ff44d62e4f0ae";

TEST(HashedOutputCli, ClassifyHashesWhatItWrites) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", kNumbers);
  const auto md5 = RunCli({"classify", "--hash", "md5", "--out", "out", "a.txt"}, folder.path());
  ASSERT_EQ(md5.exitCode, 0) << md5.err;
  EXPECT_EQ(md5.out,
            "当前共有5个号码，移动1个，联通0个，电信0个，小灵通2个，其他2个\n"
            "1个不是号码的内容（含有数字以外的字符）没有写出\n");
  EXPECT_EQ(ReadFile(folder / "out/移动.txt"), std::string(kMd5Of13800138000) + "\r\n");
  EXPECT_EQ(ReadFile(folder / "out/小灵通.txt"),
            "14916ed591dd879d6e423c9a800fbdd2\r\nb99a16295d7370973a16ee672fcc3622\r\n");
  EXPECT_EQ(ReadFile(folder / "out/其他.txt"), "871a2835d3452d5a3b863312f8ce4273\r\n");

  const auto byArea =
      RunCli({"classify", "--by", "province", "--hash", "sha256", "--separator", "\\n", "--out", "area", "a.txt"},
             folder.path());
  ASSERT_EQ(byArea.exitCode, 0) << byArea.err;
  EXPECT_EQ(ReadFile(folder / "area/北京市.txt"),  // 13800138000 and 01012345678 are both of Beijing
            "a6942f9771d67f34034d2f1926988ed3fad3bf1b4e7cedb9a31f31398dea43bc\n"
            "e60124f2fe2045215abda1ae912aa80bb66dab5fc231a758387682c9c0e70c01\n");
}

TEST(HashedOutputCli, CompareWritesTheFormToAFileOrStandardOutput) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", kNumbers);
  WriteFile(folder / "white.txt", "075512345678\n");
  const auto masked =
      RunCli({"compare", "--different", "--mask", "--separator", "\\n", "a.txt", "white.txt"}, folder.path());
  ASSERT_EQ(masked.exitCode, 0) << masked.err;
  EXPECT_EQ(masked.out, "138****8000\n*5588\n010****5678\n");
  EXPECT_EQ(masked.err, "找到4个不同的号码\n1个不是号码的内容（含有数字以外的字符）没有写出\n");

  const auto hashed =
      RunCli({"compare", "--different", "--hash", "md5", "--out", "r.csv", "a.txt", "white.txt"}, folder.path());
  ASSERT_EQ(hashed.exitCode, 0) << hashed.err;
  EXPECT_EQ(ReadFile(folder / "r.csv"), "\xEF\xBB\xBF号码\r\n" + std::string(kMd5Of13800138000) +
                                            "\r\n871a2835d3452d5a3b863312f8ce4273\r\n"
                                            "b99a16295d7370973a16ee672fcc3622\r\n");
}

TEST(HashedOutputCli, RefusesAnUnknownDigestAndBothForms) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n");
  const test::CliFailureCase cases[] = {
      {"ClassifySha1", {"classify", "--hash", "sha1", "a.txt"}, 2, "zelvane-cli: 散列“sha1”无效：应为 md5 或 sha256\n"},
      {"CompareBoth",
       {"compare", "--same", "--hash", "md5", "--mask", "a.txt", "a.txt"},
       2,
       "zelvane-cli: --hash 和 --mask 只能选一个\n"},
      {"ClassifyEmpty", {"classify", "--hash", "", "a.txt"}, 2, "zelvane-cli: 选项 --hash 的取值不能为空\n"},
  };
  for (const test::CliFailureCase& c : cases) {
    const auto result = RunCli(c.arguments, folder.path());
    EXPECT_EQ(result.exitCode, c.exitCode) << c.name << ": " << result.err;
    EXPECT_TRUE(result.err.starts_with(c.errorStart)) << c.name << ": " << result.err;
  }
  EXPECT_EQ(FileNamesIn(folder.path()), std::vector<std::string>{"a.txt"});
}

#ifndef _WIN32
// A libcrypto that offers no such digest (configured for FIPS only, without the FIPS provider) is told
// before any file is touched.
TEST(HashedOutputCli, ALibraryWithoutTheDigestIsToldNotACrash) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n");
  WriteFile(folder / "fips.cnf",
            "openssl_conf = init\n[init]\nalg_section = algorithms\n[algorithms]\ndefault_properties = fips=yes\n");
  const auto result = test::RunProgram(
      "/bin/sh", {"-c", "OPENSSL_CONF=fips.cnf exec \"$0\" classify --hash md5 --out out a.txt", test::CliPath()},
      folder.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(result.err.starts_with("zelvane-cli: 这个系统的加密库不提供 md5 散列\n")) << result.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}
#endif

}  // namespace
}  // namespace zelvane
