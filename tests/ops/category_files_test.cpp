#include "ops/category_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace zelvane
