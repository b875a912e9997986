#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/block_reserve.h"
#include "core/category_lists.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using C = NumberCategory;
using test::TemporaryFolder;
using test::WriteFile;

std::vector<std::string> Contents(const NumberList& list) { return {list.begin(), list.end()}; }

TEST(NumberList, AppendsTruncatesAndIterates) {
  NumberList list;
  EXPECT_TRUE(list.empty());
  for (std::string_view number : {"13912345678", "", "9", "+8618612345678"}) list.Append(number);
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"13912345678", "", "9", "+8618612345678"}));
  list.Truncate(2);
  list.Append("1234");
  EXPECT_EQ(Contents(list), (std::vector<std::string>{"13912345678", "", "1234"}));
  list.Truncate(0);
  EXPECT_TRUE(list.empty());
  list.Append("5678");
  EXPECT_EQ(list[0], "5678");
}

// Large enough to fill several blocks of bytes and of references; with and without blocks
// prepared ahead by a reserve.
TEST(NumberList, TruncatesAcrossBlocks) {
  for (const bool reserved : {false, true}) {
    std::optional<BlockReserve> reserve;
    if (reserved) reserve.emplace(4);
    NumberList list;
    const auto number = [](std::size_t i) { return i % 1000 == 0 ? std::string() : std::to_string(13900000000 + i); };
    const std::size_t count = 700000;
    for (std::size_t i = 0; i < count; ++i) list.Append(number(i));
    for (std::size_t kept :
         {count, std::size_t{262657}, std::size_t{262656}, std::size_t{513}, std::size_t{512}, std::size_t{1}}) {
      list.Truncate(kept);
      ASSERT_EQ(list.size(), kept);
      for (std::size_t i : {std::size_t{0}, kept / 2, kept - 1}) ASSERT_EQ(list[i], number(i)) << kept << " " << i;
      list.Append("1234");
      ASSERT_EQ(list[kept], "1234");
      list.Truncate(kept);
    }
  }
}

TEST(StatusText, CountsEveryCategoryAndTheirTotal) {
  EXPECT_EQ(StatusText({}), "当前共有0个号码，移动0个，联通0个，电信0个，小灵通0个，其他0个");
  EXPECT_EQ(StatusText({1, 2, 3, 4, 5000000000ULL}),
            "当前共有5000000010个号码，移动1个，联通2个，电信3个，小灵通4个，其他5000000000个");
}

TEST(ImportNumberFile, AppendsNormalizedNumbersInFileOrder) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "+8613912345678\r\n18612345678,0755123456 95588\n013812345678\n12\n");
  CategoryLists lists;
  std::vector<NumberCategory> imported;
  ASSERT_FALSE(ImportNumberFile(folder / "a.txt", lists, imported));
  EXPECT_EQ(imported, (std::vector<C>{C::Mobile, C::Unicom, C::Phs, C::Other, C::Mobile}));
  EXPECT_EQ(Contents(lists[C::Mobile]), (std::vector<std::string>{"13912345678", "13812345678"}));
  EXPECT_EQ(Contents(lists[C::Unicom]), (std::vector<std::string>{"18612345678"}));
  EXPECT_EQ(Contents(lists[C::Phs]), (std::vector<std::string>{"0755123456"}));
  EXPECT_EQ(Contents(lists[C::Other]), (std::vector<std::string>{"95588"}));

  // The same file again: every number twice, the new ones after the old.
  ASSERT_FALSE(ImportNumberFile(folder / "a.txt", lists, imported));
  EXPECT_EQ(imported.size(), 10u);
  EXPECT_EQ(Contents(lists[C::Mobile]),
            (std::vector<std::string>{"13912345678", "13812345678", "13912345678", "13812345678"}));
  EXPECT_EQ(StatusText(lists.Counts()), "当前共有10个号码，移动4个，联通2个，电信0个，小灵通2个，其他2个");
}

TEST(ImportNumberFile, FailureChangesNothing) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678\n");
  CategoryLists lists;
  std::vector<NumberCategory> imported;
  ASSERT_FALSE(ImportNumberFile(folder / "a.txt", lists, imported));
  const FileResult error = ImportNumberFile(folder / "missing.txt", lists, imported);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->path, folder / "missing.txt");
  EXPECT_EQ(lists.Counts(), (CategoryCounts{1, 0, 0, 0, 0}));
  EXPECT_EQ(imported.size(), 1u);
}

TEST(CategoryLists, TruncateRestoresEarlierCounts) {
  CategoryLists lists;
  lists[C::Telecom].Append("15312345678");
  const CategoryCounts before = lists.Counts();
  lists[C::Telecom].Append("18912345678");
  lists[C::Other].Append("95588");
  lists.Truncate(before);
  EXPECT_EQ(lists.Counts(), before);
  EXPECT_EQ(lists[C::Telecom][0], "15312345678");
}

}  // namespace
}  // namespace zelvane
