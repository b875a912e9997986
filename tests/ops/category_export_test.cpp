#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ops/category_export.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using C = NumberCategory;
using test::ReadFile;
using test::TemporaryFolder;
using test::WriteFile;

const std::vector<std::string> kFiveFiles = {"移动.txt", "联通.txt", "电信.txt", "小灵通.txt", "其他.txt"};

TEST(ExportCategoryLists, WritesFiveFilesEvenWhenEmpty) {
  TemporaryFolder folder;
  for (const std::string& name : kFiveFiles) WriteFile(folder / name, "old");
  EXPECT_TRUE(ExportCategoryLists(folder.path(), CategoryLists(), "\r\n").empty());
  for (const std::string& name : kFiveFiles) EXPECT_EQ(ReadFile(folder / name), "") << name;
}

TEST(ExportCategoryLists, WritesEachListWithDuplicatesInOrder) {
  CategoryLists lists;
  for (std::string_view number : {"13912345678", "13812345678", "13912345678"}) lists[C::Mobile].Append(number);
  lists[C::Phs].Append("0755123456");
  lists[C::Other].Append("");
  TemporaryFolder folder;
  EXPECT_TRUE(ExportCategoryLists(folder.path(), lists, ",").empty());
  const std::vector<std::string> expected = {"13912345678,13812345678,13912345678,", "", "", "0755123456,", ","};
  for (std::size_t i = 0; i < kFiveFiles.size(); ++i) EXPECT_EQ(ReadFile(folder / kFiveFiles[i]), expected[i]);
}

TEST(ExportCategoryLists, OneFailureDoesNotStopTheOthers) {
  CategoryLists lists;
  lists[C::Mobile].Append("13912345678");
  lists[C::Phs].Append("0755123456");
  TemporaryFolder folder;
  WriteFile(folder / "小灵通.txt", "old");
  std::filesystem::permissions(folder / "小灵通.txt", std::filesystem::perms::owner_read);
  const std::vector<FileError> failures = ExportCategoryLists(folder.path(), lists, "\r\n");
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].path, folder / "小灵通.txt");
  EXPECT_EQ(ReadFile(folder / "小灵通.txt"), "old");
  EXPECT_EQ(ReadFile(folder / "移动.txt"), "13912345678\r\n");
  EXPECT_EQ(ReadFile(folder / "其他.txt"), "");
}

TEST(ExportCategoryLists, DeepFolderAndMissingFolder) {
  TemporaryFolder folder;
  std::filesystem::path deep = folder.path();
  for (int i = 0; i < 40; ++i) deep /= "一个很长的文件夹名字-" + std::to_string(i);
  ASSERT_GT(deep.string().size(), 1000u);
  std::filesystem::create_directories(deep);
  EXPECT_TRUE(ExportCategoryLists(deep, CategoryLists(), "\r\n").empty());
  EXPECT_EQ(ReadFile(deep / "其他.txt"), "");

  const std::vector<FileError> failures = ExportCategoryLists(folder / "removed", CategoryLists(), "\r\n");
  ASSERT_EQ(failures.size(), 5u);
  EXPECT_EQ(failures[4].Message(), "无法写入文件“" + (folder / "removed" / "其他.txt").string() + "”：文件或文件夹不存在");
}

}  // namespace
}  // namespace zelvane
