#include "core/category_lists.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <fstream>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/scoped_speedups.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using C = NumberCategory;
using Numbers = std::vector<std::string>;
using test::TemporaryFolder;
using test::WriteFile;

Numbers Contents(const NumberList& list) { return {list.begin(), list.end()}; }

// The numbers of every list, and the import order spelled as category indexes.
std::string Describe(const CategoryLists& lists) {
  std::string text;
  for (NumberCategory category : kAllCategories) {
    for (std::string_view number : lists[category]) text += std::string(number) + " ";
    text += "| ";
  }
  for (NumberCategory category : lists.Order()) text += std::to_string(CategoryIndex(category));
  return text;
}

FileResult Import(CategoryLists& lists, const std::filesystem::path& path, const PrefixTable& table) {
  NumberFile file;
  if (FileResult error = file.Open(path)) return error;
  return lists.Import(file, table);
}

TEST(StatusText, CountsEveryCategoryAndTheirTotal) {
  EXPECT_EQ(StatusText({}), "当前共有0个号码，移动0个，联通0个，电信0个，小灵通0个，其他0个");
  EXPECT_EQ(StatusText({1, 2, 3, 4, 5000000000ULL}),
            "当前共有5000000010个号码，移动1个，联通2个，电信3个，小灵通4个，其他5000000000个");
  EXPECT_EQ(StatusText({1, 2, 3, 4, 5000000000ULL}, CountForm::Grouped),
            "当前共有5,000,000,010个号码，移动1个，联通2个，电信3个，小灵通4个，其他5,000,000,000个");
}

// A comma before every third digit from the right, at each length where one more comes.
TEST(CountText, GroupsThousandsOnlyWhenAsked) {
  const std::tuple<std::uint64_t, const char*> cases[] = {{0, "0"},
                                                          {999, "999"},
                                                          {1000, "1,000"},
                                                          {999999, "999,999"},
                                                          {1000000, "1,000,000"},
                                                          {1104410, "1,104,410"},
                                                          {UINT64_MAX, "18,446,744,073,709,551,615"}};
  for (const auto& [count, grouped] : cases) {
    EXPECT_EQ(CountText(count, CountForm::Grouped), grouped);
    EXPECT_EQ(CountText(count, CountForm::Digits), std::to_string(count));
  }
}

TEST(CategoryLists, ImportAppendsNormalizedNumbersInFileOrder) {
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "+8613912345678\r\n18612345678,0755123456 95588\n013812345678\n12\n");
  CategoryLists lists;
  ASSERT_FALSE(Import(lists, folder / "a.txt", PrefixTable::Original()));
  EXPECT_EQ(Describe(lists), "13912345678 13812345678 | 18612345678 | | 0755123456 | 95588 | 01340");
  // The same file again: every number twice, the new ones after the old.
  ASSERT_FALSE(Import(lists, folder / "a.txt", PrefixTable::Original()));
  EXPECT_EQ(Contents(lists[C::Mobile]), (Numbers{"13912345678", "13812345678", "13912345678", "13812345678"}));
  EXPECT_EQ(lists.size(), 10u);
  EXPECT_EQ(StatusText(lists.Counts()), "当前共有10个号码，移动4个，联通2个，电信0个，小灵通2个，其他2个");
}

// An import that runs out of memory half way takes back what it appended.
TEST(CategoryLists, FailedImportChangesNothing) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit allows";
#endif
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", "13912345678 95588\n");
  std::string big;
  for (int i = 0; i < 3000000; ++i) big += std::to_string(13900000000 + i) + "\n";
  WriteFile(folder / "big.txt", big);
  const auto importWithLittleMemory = [&folder] {
    CategoryLists lists;
    if (Import(lists, folder / "a.txt", PrefixTable::Original())) std::_Exit(2);
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    const rlim_t limit = pages * 4096 + (rlim_t{24} << 20);
    const rlimit memory{limit, limit};
    if (::setrlimit(RLIMIT_AS, &memory) != 0) std::_Exit(3);
    const FileResult error = Import(lists, folder / "big.txt", PrefixTable::Original());
    std::_Exit(error && error->reason == "内存不足，无法载入这个文件" &&
                       Describe(lists) == "13912345678 | | | | 95588 | 04"
                   ? 0
                   : 1);
  };
  EXPECT_EXIT(importWithLittleMemory(), testing::ExitedWithCode(0), "");
}

// Undoing an import cuts a list anywhere, also at the edges of its blocks (a small first block of 512
// references, then 2 MiB blocks of 262,144), with and without blocks prepared ahead. Every thousandth
// number is empty (+86 and a zero byte), in 其他.
TEST(CategoryLists, UndoImportAcrossBlocks) {
  TemporaryFolder folder;
  const std::size_t total = 700000;
  const auto number = [](std::size_t i) {
    return i % 1000 == 999 ? std::string("+86\0", 4) : std::to_string(13900000000 + i);
  };
  std::vector<std::string> all;
  for (std::size_t i = 0; i < total; ++i) all.push_back(number(i));
  WriteFile(folder / "last.txt", "1234\n");
  for (const bool prepared : {false, true}) {
    const ScopedSpeedups speedups({.prepareBlocks = prepared});
    for (const std::size_t mobiles : {0, 1, 512, 513, 262656, 262657}) {
      std::size_t kept = mobiles;  // numbers in the first file: mobiles of 移动 and the empty ones among them
      while (kept - kept / 1000 < mobiles) ++kept;
      std::string first, second;
      for (std::size_t i = 0; i < total; ++i) (i < kept ? first : second) += all[i] + "\n";
      WriteFile(folder / "first.txt", first);
      WriteFile(folder / "second.txt", second);
      CategoryLists lists;
      ASSERT_FALSE(Import(lists, folder / "first.txt", PrefixTable::Original()));
      const CategoryCounts before = lists.Counts();
      ASSERT_FALSE(Import(lists, folder / "second.txt", PrefixTable::Original()));
      lists.UndoImport(before);
      ASSERT_FALSE(Import(lists, folder / "last.txt", PrefixTable::Original()));
      Numbers expectedMobile, expectedOther;
      for (std::size_t i = 0; i < kept; ++i) {
        if (i % 1000 == 999) {
          expectedOther.push_back("");
        } else {
          expectedMobile.push_back(all[i]);
        }
      }
      expectedOther.push_back("1234");
      ASSERT_EQ(Contents(lists[C::Mobile]), expectedMobile) << mobiles;
      ASSERT_EQ(Contents(lists[C::Other]), expectedOther) << mobiles;
      ASSERT_EQ(lists.size(), kept + 1) << mobiles;
    }
  }
}

// Sorting again with another table gives what importing with that table gives, in the same order;
// and without repeats what a plain set of the seen numbers keeps, the lists it came from unchanged; then
// nothing is left to remove.
TEST(CategoryLists, ReclassifiedAndWithoutRepeatsMatchPlainReferences) {
  std::mt19937 random(11);
  const char* const heads[] = {"134", "1349", "170", "1703", "182", "192", "0755", "86", "+86", "9"};
  std::string text;
  for (int i = 0; i < 30000; ++i) {
    text += heads[random() % std::size(heads)];
    for (int digit = 0; digit < 8; ++digit) text += static_cast<char>('0' + random() % (i % 7 == 0 ? 2 : 10));
    text += '\n';
  }
  TemporaryFolder folder;
  WriteFile(folder / "a.txt", text);
  CategoryLists original, current;
  ASSERT_FALSE(Import(original, folder / "a.txt", PrefixTable::Original()));
  ASSERT_FALSE(Import(current, folder / "a.txt", PrefixTable::Current()));
  EXPECT_EQ(Describe(original.Reclassified(PrefixTable::Current())), Describe(current));
  EXPECT_EQ(Describe(current.Reclassified(PrefixTable::Original())), Describe(original));

  std::uint64_t removed = 0;
  const std::optional<CategoryLists> kept = original.WithoutRepeats(removed);
  ASSERT_TRUE(kept);
  std::set<std::string> seen;
  CategoryLists expected;
  std::string firsts;
  ScanNumbers(text, [&](std::string_view token) {
    if (seen.insert(std::string(NormalizeNumber(token))).second) firsts += std::string(token) + "\n";
  });
  WriteFile(folder / "firsts.txt", firsts);
  ASSERT_FALSE(Import(expected, folder / "firsts.txt", PrefixTable::Original()));
  EXPECT_EQ(Describe(*kept), Describe(expected));
  EXPECT_EQ(removed, original.size() - expected.size());
  EXPECT_GT(removed, 1000u);
  EXPECT_EQ(Describe(original), Describe(current.Reclassified(PrefixTable::Original())));
  EXPECT_FALSE(kept->WithoutRepeats(removed));
  EXPECT_EQ(removed, 0u);
}

}  // namespace
}  // namespace zelvane
