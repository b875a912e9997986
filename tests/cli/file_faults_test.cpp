// Failures every system can give, on Linux and under Wine alike: an input that is gone, a target
// marked read-only, a disk that fills up. Exit 1, the message, and every old file byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

#ifndef _WIN32
#include <optional>
#endif

namespace zelvane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TemporaryFolder;
using test::WriteFile;

const std::string kRead = "zelvane-cli: 无法读取文件“";
const std::string kWrite = "zelvane-cli: 无法写入文件“";

void WriteOldFiles(const std::filesystem::path& folder) {
  for (std::string_view name : test::kCategoryFileNames) {
    WriteFile(folder / PathFromText(name), "old " + std::string(name));
  }
}

void ExpectOldFiles(const std::filesystem::path& folder) {
  for (std::string_view name : test::kCategoryFileNames) {
    EXPECT_EQ(ReadFile(folder / PathFromText(name)), "old " + std::string(name));
  }
}

TEST(FileFaults, MissingInputAndReadOnlyTarget) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n");
  WriteOldFiles(folder.path());
  const auto missing = RunCli({"classify", "a.txt", "gone.txt"}, folder.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, kRead + "gone.txt”：文件或文件夹不存在\n");

  std::filesystem::permissions(folder / "电信.txt", std::filesystem::perms::owner_read);
  const auto readOnly = RunCli({"classify", "a.txt"}, folder.path());
  EXPECT_EQ(readOnly.exitCode, 1);
  EXPECT_TRUE(readOnly.err.starts_with(kWrite) && readOnly.err.ends_with("电信.txt”：没有访问权限\n")) << readOnly.err;
  std::filesystem::permissions(folder / "电信.txt", std::filesystem::perms::owner_all);
  ExpectOldFiles(folder.path());
  EXPECT_EQ(test::FileNamesIn(folder.path()).size(), test::kCategoryFileNames.size() + 1) << "no temporary file";
}

// A disk that fills up while the five files are written: none is replaced, and compare's result
// keeps what it held.
TEST(FileFaults, FullDiskKeepsTheOldFiles) {
  TemporaryFolder folder;
#ifdef _WIN32
  const std::filesystem::path disk = "S:\\";  // the test runner's 64 KiB drive
  if (!std::filesystem::exists(disk)) GTEST_SKIP() << "no small drive here";
#else
  std::optional<test::SmallFileSystem> small(std::in_place, folder / "disk", 64 * 1024);
  if (!small->mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  const std::filesystem::path disk = folder / "disk";
#endif
  std::string numbers;
  for (int i = 0; i < 20000; ++i) numbers += std::to_string(13900000000LL + i) + "\n";
  WriteFile(folder / "numbers.txt", numbers);
  WriteOldFiles(disk);
  WriteFile(disk / "out.txt", "old out");
  const std::string out = PathInMessage(disk);
  const auto classify = RunCli({"classify", "--out", out, "numbers.txt"}, folder.path());
  EXPECT_EQ(classify.exitCode, 1);
  EXPECT_TRUE(classify.err.starts_with(kWrite) && classify.err.ends_with("”：磁盘空间不足\n")) << classify.err;
  const auto compare = RunCli(
      {"compare", "--same", "--out", PathInMessage(disk / "out.txt"), "numbers.txt", "numbers.txt"}, folder.path());
  EXPECT_EQ(compare.exitCode, 1);
  EXPECT_TRUE(compare.err.ends_with("”：磁盘空间不足\n")) << compare.err;
  ExpectOldFiles(disk);
  EXPECT_EQ(ReadFile(disk / "out.txt"), "old out");
  EXPECT_EQ(test::FileNamesIn(disk).size(), test::kCategoryFileNames.size() + 1) << "no temporary file";
  for (const std::string& name : test::FileNamesIn(disk)) std::filesystem::remove(disk / PathFromText(name));
}

}  // namespace
}  // namespace zelvane
