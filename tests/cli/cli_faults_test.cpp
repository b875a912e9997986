// The command line against real failures of the disk and the file system: exit code, message,
// and every file that was there before left byte for byte as it was.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
using test::SmallFileSystem;
using test::TemporaryFolder;
using test::WriteFile;

TEST(CliFaults, InputLargerThanFourGigabytes) {
  TemporaryFolder folder;
  const std::filesystem::path big = folder / "big.txt";
  WriteFile(big, "18612345678\n");
  // A number, 4 GiB of zeros (one long run, no number), then a number.
  const off_t size = (off_t{1} << 32) + 24;
  ASSERT_EQ(::truncate(big.c_str(), size - 12), 0);
  {
    const int fd = ::open(big.c_str(), O_WRONLY);
    ASSERT_EQ(::pwrite(fd, "\n13912345678", 12, size - 12), 12);
    ::close(fd);
  }
  const auto result = RunCli({"classify", "big.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "当前共有2个号码，移动1个，联通1个，电信0个，小灵通0个，其他0个\n");
  EXPECT_EQ(ReadFile(folder / "移动.txt"), "13912345678\r\n");
  EXPECT_EQ(ReadFile(folder / "联通.txt"), "18612345678\r\n");
}

TEST(CliFaults, FifoInputIsRefusedWithoutWaiting) {
  TemporaryFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  const auto result = RunCli({"classify", "fifo"}, folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zelvane-cli: 无法读取文件“fifo”：这不是一个普通文件\n");
}

TEST(CliFaults, UnreadableInput) {
  TemporaryFolder folder;
  std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
  WriteFile(folder / "secret.txt", "13912345678\n");
  std::filesystem::permissions(folder / "secret.txt", std::filesystem::perms::none);
  // Root reads every file: run the command as an ordinary user.
  const auto result = test::RunProgram(
      "/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", test::CliPath(), "classify", "secret.txt"},
      folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zelvane-cli: 无法读取文件“secret.txt”：没有访问权限\n");
  EXPECT_EQ(FileNamesIn(folder.path()), std::vector<std::string>{"secret.txt"});
}

TEST(CliFaults, FullDiskKeepsTheOldFiles) {
  TemporaryFolder folder;
  SmallFileSystem disk(folder / "disk", 256 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  std::string numbers;
  for (int i = 0; i < 40000; ++i) numbers += std::to_string(13900000000LL + i) + "\n";
  WriteFile(folder / "numbers.txt", numbers);
  WriteFile(folder / "disk" / "移动.txt", "old");
  const auto result = RunCli({"classify", "--out", "disk", "numbers.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zelvane-cli: 无法写入文件“disk/移动.txt”：磁盘空间不足\n");
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadFile(folder / "disk" / "移动.txt"), "old");
  EXPECT_EQ(FileNamesIn(folder / "disk"), std::vector<std::string>{"移动.txt"});
}

TEST(CliFaults, ReadOnlyOutputFolder) {
  TemporaryFolder folder;
  SmallFileSystem disk(folder / "disk", 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  WriteFile(folder / "disk" / "联通.txt", "old");
  disk.Remount(true);
  WriteFile(folder / "numbers.txt", "13912345678\n");
  const auto result = RunCli({"classify", "--out", "disk", "numbers.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zelvane-cli: 无法写入文件“disk/移动.txt”：文件系统是只读的\n");
  EXPECT_EQ(ReadFile(folder / "disk" / "联通.txt"), "old");
}

TEST(CliFaults, OutputFolderIsAFile) {
  TemporaryFolder folder;
  WriteFile(folder / "numbers.txt", "13912345678\n");
  WriteFile(folder / "out", "old");
  const auto result = RunCli({"classify", "--out", "out", "numbers.txt"}, folder.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zelvane-cli: 无法写入文件“out”：路径中的某一部分不是文件夹\n");
  EXPECT_EQ(ReadFile(folder / "out"), "old");
}

}  // namespace
}  // namespace zelvane
