#include "ops/number_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "ops/atomic_file_writer.h"
#include "tests/support/scoped_speedups.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::ReadFile;
using test::SmallFileSystem;
using test::TemporaryFolder;
using test::WriteFile;
using Numbers = std::vector<std::string>;

TEST(WriteNumberFile, WritesEachNumberThenTheSeparator) {
  const struct {
    Numbers numbers;
    std::string typedSeparator, bytes;
    // clang-format off
  } cases[] = {
      {{"N1", "N2", "N3"}, "", "N1\r\nN2\r\nN3\r\n"},       {{"N1", "N2", "N3"}, ",", "N1,N2,N3,"},
      {{"N1", "N2"}, "\xA3\xAC", "N1\xA3\xACN2\xA3\xAC"},   {{}, "", ""},
      {{"\xB5\xE7\n\r\t", ""}, "\n", "\xB5\xE7\n\r\t\n\n"},  // bytes kept as they are
  };
  // clang-format on
  for (const auto& c : cases) {
    TemporaryFolder folder;
    WriteFile(folder / "out.txt", "old content that is longer than the new one");
    ASSERT_FALSE(WriteNumberFile(folder / "out.txt", c.numbers, DefaultSeparator(c.typedSeparator)));
    EXPECT_EQ(ReadFile(folder / "out.txt"), c.bytes);
    EXPECT_EQ(FileNamesIn(folder.path()), Numbers{"out.txt"}) << "no temporary file is left";
  }
}

// Pieces from one byte to more than a buffer, over twenty megabytes: written in order, none lost, in
// the background and in the caller's thread.
TEST(AtomicFileWriter, WritesPiecesOfEverySizeInOrder) {
  for (const bool background : {true, false}) {
    const ScopedSpeedups speedups({.backgroundWrites = background});
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
    EXPECT_TRUE(ReadFile(folder / "out.txt") == expected) << background;
  }
}

// The mode of the file replaced is kept, except that new contents never run as its owner or group.
TEST(WriteNumberFile, KeepsTheModeOfTheFileItReplacesButNotSetuid) {
  using std::filesystem::perms;
  const perms kept = perms::owner_read | perms::owner_write | perms::group_read | perms::others_exec;
  for (const perms extra : {perms::none, perms::set_uid, perms::set_gid, perms::set_uid | perms::set_gid}) {
    TemporaryFolder folder;
    WriteFile(folder / "out.txt", "old");
    std::filesystem::permissions(folder / "out.txt", kept | extra);
    ASSERT_FALSE(WriteNumberFile(folder / "out.txt", Numbers{"1234"}, ","));
    EXPECT_EQ(ReadFile(folder / "out.txt"), "1234,");
    EXPECT_EQ(std::filesystem::status(folder / "out.txt").permissions(), kept) << static_cast<int>(extra);
  }
}

// The owner and group of the file replaced are kept, where this user may give files away.
TEST(WriteNumberFile, KeepsTheOwnerOfTheFileItReplaces) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser may give a file away";
  TemporaryFolder folder;
  WriteFile(folder / "out.txt", "old");
  ASSERT_EQ(::chown((folder / "out.txt").c_str(), 12345, 23456), 0);
  ASSERT_FALSE(WriteNumberFile(folder / "out.txt", Numbers{"1234"}, ","));
  struct stat info {};
  ASSERT_EQ(::stat((folder / "out.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 12345u);
  EXPECT_EQ(info.st_gid, 23456u);
}

// A target that is a symbolic link is replaced itself, as mv would: the file it points to, here outside
// the folder, stays as it was, and so does a dangling link's missing file.
TEST(WriteNumberFile, ReplacesALinkNotWhatItPointsTo) {
  TemporaryFolder outside;
  TemporaryFolder folder;
  WriteFile(outside / "secret.txt", "secret");
  std::filesystem::create_symlink(outside / "secret.txt", folder / "link.txt");
  std::filesystem::create_symlink(outside / "missing.txt", folder / "dangling.txt");
  for (const char* name : {"link.txt", "dangling.txt"}) {
    ASSERT_FALSE(WriteNumberFile(folder / name, Numbers{"1234"}, ","));
    EXPECT_FALSE(std::filesystem::is_symlink(folder / name));
    EXPECT_EQ(ReadFile(folder / name), "1234,");
  }
  EXPECT_EQ(FileNamesIn(outside.path()), Numbers{"secret.txt"});
  EXPECT_EQ(ReadFile(outside / "secret.txt"), "secret");
}

// A name as long as a name may be (255 bytes) fits its temporary file's name too.
TEST(WriteNumberFile, WritesNamesOfTheLongestLength) {
  for (const std::size_t length : {std::size_t{237}, std::size_t{238}, std::size_t{255}}) {
    TemporaryFolder folder;
    const std::string name = std::string(length - 4, 'n') + ".txt";
    ASSERT_FALSE(WriteNumberFile(folder / name, Numbers{"1234"}, ",")) << length;
    EXPECT_EQ(ReadFile(folder / name), "1234,");
    EXPECT_EQ(FileNamesIn(folder.path()), Numbers{name});
  }
}

// A failed write names the file and the reason and leaves every file as it was.
TEST(WriteNumberFile, FailuresLeaveTheOldFileIntact) {
  TemporaryFolder folder;
  WriteFile(folder / "readonly.txt", "old");
  std::filesystem::permissions(folder / "readonly.txt", std::filesystem::perms::owner_read);
  std::filesystem::create_directory(folder / "dir");
  // clang-format off
  const std::vector<std::pair<std::filesystem::path, std::string>> cases = {
      {folder / "readonly.txt", "没有访问权限"},
      {folder / "dir", "这是一个文件夹，不是文件"},
      {folder / "missing" / "out.txt", "文件或文件夹不存在"},
      {"/dev/full", "这不是一个普通文件"},
  };
  // clang-format on
  for (const auto& [path, reason] : cases) {
    const FileResult error = WriteNumberFile(path, Numbers{"13912345678"}, "\r\n");
    ASSERT_TRUE(error) << path;
    EXPECT_EQ(error->Message(), "无法写入文件“" + path.string() + "”：" + reason);
  }
  EXPECT_EQ(ReadFile(folder / "readonly.txt"), "old");
  EXPECT_EQ(FileNamesIn(folder.path()), (Numbers{"dir", "readonly.txt"}));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(WriteNumberFile, FullAndReadOnlyFileSystemsLeaveTheOldFileIntact) {
  TemporaryFolder folder;
  SmallFileSystem disk(folder / "disk", 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  const std::filesystem::path out = folder / "disk" / "out.txt";
  WriteFile(out, "old");
  // Megabytes: most writes fail in the background, while later numbers are still handed over.
  FileResult error = WriteNumberFile(out, Numbers(300000, "13912345678"), "\r\n");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->reason, "磁盘空间不足");
  EXPECT_EQ(ReadFile(out), "old");
  EXPECT_EQ(FileNamesIn(folder / "disk"), Numbers{"out.txt"});

  disk.Remount(true);
  error = WriteNumberFile(out, Numbers{"1234"}, ",");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->reason, "文件系统是只读的");
  EXPECT_EQ(ReadFile(out), "old");
}

}  // namespace
}  // namespace zelvane
