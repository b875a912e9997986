#include "ops/category_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using C = NumberCategory;
using test::ReadFile;
using test::TemporaryFolder;
using test::WriteFile;

const std::vector<std::string> kFiveFiles = {"移动.txt", "联通.txt", "电信.txt", "小灵通.txt", "其他.txt"};

TEST(ExportCategoryLists, WritesEachListToItsFileWithDuplicatesInOrder) {
  CategoryLists lists;
  for (std::string_view number : {"13912345678", "13812345678", "13912345678"}) lists[C::Mobile].Append(number);
  lists[C::Phs].Append("0755123456");
  lists[C::Other].Append("");
  TemporaryFolder folder;
  for (const std::string& name : kFiveFiles) WriteFile(folder / name, "old");
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

}  // namespace
}  // namespace zelvane
