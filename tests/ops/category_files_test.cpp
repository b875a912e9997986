#include "ops/category_files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>
#include <string>
#include <vector>

#include "tests/support/scoped_speedups.h"
#include "tests/support/test_files.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

using test::FileNamesIn;
using test::kCategoryFileNames;
using test::ReadFile;
using test::TemporaryFolder;
using test::WriteFile;

CategoryLists ListsOf(const TemporaryFolder& folder, std::string_view numbers) {
  WriteFile(folder / "numbers.in", numbers);
  CategoryLists lists;
  NumberFile file;
  EXPECT_FALSE(file.Open(folder / "numbers.in"));
  EXPECT_FALSE(lists.Import(file, PrefixTable::Original()));
  std::filesystem::remove(folder / "numbers.in");
  return lists;
}

void WriteOldFiles(const TemporaryFolder& folder) {
  for (std::string_view name : kCategoryFileNames) WriteFile(folder / name, "old " + std::string(name));
}

void ExpectOldFiles(const TemporaryFolder& folder) {
  for (std::string_view name : kCategoryFileNames) EXPECT_EQ(ReadFile(folder / name), "old " + std::string(name));
  EXPECT_EQ(FileNamesIn(folder.path()).size(), kCategoryFileNames.size()) << "no temporary file is left";
}

TEST(ExportCategoryLists, WritesEachListToItsFileWithDuplicatesInOrder) {
  TemporaryFolder folder;
  const CategoryLists lists = ListsOf(folder, std::string("13912345678 13812345678 0755123456 13912345678 +86\0", 51));
  WriteOldFiles(folder);
  EXPECT_TRUE(ExportCategoryLists(folder.path(), lists, ",").empty());
  const std::vector<std::string> expected = {"13912345678,13812345678,13912345678,", "", "", "0755123456,", ","};
  for (std::size_t i = 0; i < kCategoryFileNames.size(); ++i) {
    EXPECT_EQ(ReadFile(folder / kCategoryFileNames[i]), expected[i]);
  }
}

// A file that cannot be opened, or cannot be written, does not stop the others; each is named.
TEST(ExportCategoryLists, FailuresDoNotStopTheOthers) {
  TemporaryFolder folder;
  const CategoryLists lists = ListsOf(folder, "13912345678 0755123456");
  WriteFile(folder / "小灵通.txt", "old");
  std::filesystem::permissions(folder / "小灵通.txt", std::filesystem::perms::owner_read);
  std::filesystem::create_directory(folder / "其他.txt");
  const std::vector<FileError> failures = ExportCategoryLists(folder.path(), lists, "\r\n");
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0].Message(), "无法写入文件“" + (folder / "小灵通.txt").string() + "”：没有访问权限");
  EXPECT_EQ(failures[1].Message(), "无法写入文件“" + (folder / "其他.txt").string() + "”：这是一个文件夹，不是文件");
  EXPECT_EQ(ReadFile(folder / "小灵通.txt"), "old");
  EXPECT_EQ(ReadFile(folder / "移动.txt"), "13912345678\r\n");
  EXPECT_EQ(ReadFile(folder / "电信.txt"), "");
}

// All or nothing: when the last file cannot be written (here it grows past the file-size limit),
// the four before it are not replaced either.
TEST(CategoryFiles, CommitAllReplacesNoFileWhenOneFails) {
  TemporaryFolder folder;
  WriteOldFiles(folder);
  for (const bool background : {true, false}) {
    const auto writeOverTheLimit = [&folder, background] {
      std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
      const rlimit size{64 * 1024, 64 * 1024};
      if (::setrlimit(RLIMIT_FSIZE, &size) != 0) std::_Exit(2);
      const ScopedSpeedups speedups({.backgroundWrites = background});
      CategoryFiles files(folder.path(), "\r\n");
      if (files.Open()) std::_Exit(3);
      files.Write(NumberCategory::Mobile, "13912345678");
      for (int i = 0; i < 20000; ++i) files.Write(NumberCategory::Other, "95588");
      const FileResult error = files.CommitAll();
      const bool right = error && error->Message() == "无法写入文件“" + (folder / "其他.txt").string() + "”：文件太大";
      std::_Exit(right ? 0 : 1);
    };
    EXPECT_EXIT(writeOverTheLimit(), testing::ExitedWithCode(0), "") << "background " << background;
    ExpectOldFiles(folder);
  }
}

// A target that cannot be replaced after others were (a mount point: renaming onto it fails with
// EBUSY) puts the replaced ones back, old or absent as they were.
TEST(CategoryFiles, CommitAllPutsBackWhatItReplacedWhenARenameFails) {
  TemporaryFolder folder;
  WriteOldFiles(folder);
  std::filesystem::remove(folder / "联通.txt");  // absent before: absent after
  WriteFile(folder / "cover", "mounted");
  if (::mount((folder / "cover").c_str(), (folder / "电信.txt").c_str(), nullptr, MS_BIND, nullptr) != 0) {
    GTEST_SKIP() << "cannot bind-mount here";
  }
  FileResult error;
  {
    CategoryFiles files(folder.path(), "\n");
    ASSERT_FALSE(files.Open());
    for (int i = 0; i < 100000; ++i) {
      files.Write(NumberCategory::Mobile, "13912345678");
      files.Write(NumberCategory::Unicom, "18612345678");
    }
    error = files.CommitAll();
  }
  ::umount((folder / "电信.txt").c_str());
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Message(), "无法写入文件“" + (folder / "电信.txt").string() + "”：文件正被占用");
  std::filesystem::remove(folder / "cover");
  WriteFile(folder / "联通.txt", "old 联通.txt");
  ExpectOldFiles(folder);
}

}  // namespace
}  // namespace zelvane
