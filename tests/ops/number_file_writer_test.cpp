#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "core/number_list.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_writer.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::SmallFileSystem;
using test::TemporaryFolder;
using test::WriteFile;

struct BytesCase {
  const char* name;
  std::vector<std::string> numbers;
  std::string typedSeparator;
  std::string bytes;
};

class WriteNumberFileBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(WriteNumberFileBytes, WritesEachNumberThenTheSeparator) {
  const BytesCase& c = GetParam();
  TemporaryFolder folder;
  WriteFile(folder / "out.txt", "old content that is longer than the new one");
  ASSERT_FALSE(WriteNumberFile(folder / "out.txt", c.numbers, DefaultSeparator(c.typedSeparator)));
  EXPECT_EQ(ReadFile(folder / "out.txt"), c.bytes);
  EXPECT_EQ(FileNamesIn(folder.path()), std::vector<std::string>{"out.txt"}) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(
    Separators, WriteNumberFileBytes,
    testing::Values(BytesCase{"Default", {"N1", "N2", "N3"}, "", "N1\r\nN2\r\nN3\r\n"},
                    BytesCase{"Comma", {"N1", "N2", "N3"}, ",", "N1,N2,N3,"},
                    BytesCase{"Blank", {"N1", "N2"}, " ", "N1 N2 "},
                    BytesCase{"TwoByteGbk", {"N1", "N2"}, "\xA3\xAC", "N1\xA3\xACN2\xA3\xAC"},
                    BytesCase{"NoNumbers", {}, "", ""},
                    BytesCase{"BytesUnchanged", {"\xB5\xE7\n\r\t", ""}, "\n", "\xB5\xE7\n\r\t\n\n"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(WriteNumberFile, WritesMoreThanItsBufferFromANumberList) {
  NumberList numbers;
  std::string expected;
  for (long long i = 0; i < 300000; ++i) {
    const std::string number = std::to_string(13900000000LL + i);
    numbers.Append(number);
    expected += number + ";;";
  }
  TemporaryFolder folder;
  ASSERT_FALSE(WriteNumberFile(folder / "big.txt", numbers, ";;"));
  EXPECT_EQ(ReadFile(folder / "big.txt"), expected);
}

// Pieces from one byte to more than a buffer, over twenty megabytes: written in order, none lost.
TEST(AtomicFileWriter, WritesPiecesOfEverySizeInOrder) {
  TemporaryFolder folder;
  AtomicFileWriter writer(folder / "out.txt");
  ASSERT_FALSE(writer.Open());
  std::mt19937 random(7);
  const std::size_t sizes[] = {1, 13, 4096, std::size_t{1} << 20, (std::size_t{3} << 20) + 5};
  std::string expected;
  while (expected.size() < (std::size_t{20} << 20)) {
    const std::string piece(sizes[random() % std::size(sizes)], static_cast<char>('a' + random() % 26));
    writer.Write(piece);
    expected += piece;
  }
  ASSERT_FALSE(writer.Commit());
  EXPECT_EQ(ReadFile(folder / "out.txt"), expected);
}

TEST(WriteNumberFile, KeepsTheModeOfTheFileItReplacesAndFollowsLinks) {
  TemporaryFolder folder;
  WriteFile(folder / "real.txt", "old");
  std::filesystem::permissions(folder / "real.txt", std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_write |
                                                        std::filesystem::perms::group_read);
  std::filesystem::create_symlink("real.txt", folder / "link.txt");
  ASSERT_FALSE(WriteNumberFile(folder / "link.txt", std::vector<std::string>{"1234"}, ","));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
  EXPECT_EQ(ReadFile(folder / "real.txt"), "1234,");
  EXPECT_EQ(std::filesystem::status(folder / "real.txt").permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

// A failed write names the file and the reason and leaves every file as it was.
TEST(WriteNumberFile, FailuresLeaveTheOldFileIntact) {
  TemporaryFolder folder;
  WriteFile(folder / "readonly.txt", "old");
  std::filesystem::permissions(folder / "readonly.txt", std::filesystem::perms::owner_read);
  std::filesystem::create_directory(folder / "dir");
  const std::vector<std::pair<std::filesystem::path, std::string>> cases = {
      {folder / "readonly.txt", "没有访问权限"},
      {folder / "dir", "这是一个文件夹，不是文件"},
      {folder / "missing" / "out.txt", "文件或文件夹不存在"},
      {"/dev/full", "这不是一个普通文件"},
  };
  for (const auto& [path, reason] : cases) {
    const FileResult error = WriteNumberFile(path, std::vector<std::string>{"13912345678"}, "\r\n");
    ASSERT_TRUE(error) << path;
    EXPECT_EQ(error->Message(), "无法写入文件“" + path.string() + "”：" + reason);
  }
  EXPECT_EQ(ReadFile(folder / "readonly.txt"), "old");
  EXPECT_EQ(FileNamesIn(folder.path()), (std::vector<std::string>{"dir", "readonly.txt"}));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(WriteNumberFile, FullDiskLeavesTheOldFileIntact) {
  TemporaryFolder folder;
  SmallFileSystem disk(folder / "disk", 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  WriteFile(folder / "disk" / "out.txt", "old");
  // Megabytes: most writes fail in the background, while later numbers are still handed over.
  const std::vector<std::string> numbers(300000, "13912345678");
  const FileResult error = WriteNumberFile(folder / "disk" / "out.txt", numbers, "\r\n");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->reason, "磁盘空间不足");
  EXPECT_EQ(ReadFile(folder / "disk" / "out.txt"), "old");
  EXPECT_EQ(FileNamesIn(folder / "disk"), std::vector<std::string>{"out.txt"});
}

TEST(WriteNumberFile, ReadOnlyFileSystemLeavesTheOldFileIntact) {
  TemporaryFolder folder;
  SmallFileSystem disk(folder / "disk", 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  WriteFile(folder / "disk" / "out.txt", "old");
  disk.Remount(true);
  const FileResult error = WriteNumberFile(folder / "disk" / "out.txt", std::vector<std::string>{"1234"}, ",");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->reason, "文件系统是只读的");
  EXPECT_EQ(ReadFile(folder / "disk" / "out.txt"), "old");
}

}  // namespace
}  // namespace zelvane
