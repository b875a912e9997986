// What a match means, pinned on the plain search; the differential test holds the fast one to it.

#include "ops/number_comparison.h"
#include "tests/support/naive_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;
using test::WriteFile;
using Numbers = std::vector<std::string>;

Numbers Listed(const NumberList& list) { return Numbers(list.begin(), list.end()); }

const std::string kZero(1, '\0');

TEST(ContainsSubstring, AnswersOneOrMinusOne) {
  const struct {
    std::string haystack, needle;
    int result;
    // clang-format off
  } cases[] = {
      {"1234", "1234", 1}, {"12345", "345", 1}, {"11112", "112", 1},  // whole, at the end, after a false start
      {"12341", "412", -1}, {"1234", "", -1},                          // cut by the end; the empty needle
      {"12" + kZero + "34", "34", -1}, {"1234", "23" + kZero + "9", 1},  // both end at their first zero byte
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(test::ContainsSubstring(c.haystack, c.needle), c.result) << c.haystack << " / " << c.needle;
  }
}

// What find same and find different list for scanned data against searched data.
TEST(CompareNumberFiles, ListsTheSelectedNumbers) {
  const std::string k30 = "139123456781391234567813912345";
  const struct {
    const char* name;
    std::string scanned, searched;
    Numbers same, different;
    // clang-format off
  } cases[] = {
      {"InsideLongerRuns", "13912345678\n18612345678", "0086139123456789 9999999999999999999918612345678999",
       {"13912345678", "18612345678"}, {}},
      // The token is searched with its prefix and listed without it.
      {"Prefixes", "+8613912345678\n8618612345678\n15312345678", "13912345678,+8618612345678,+8615312345678",
       {"18612345678", "15312345678"}, {"13912345678"}},
      {"RepeatsListedEachTimeInScanOrder", "13912345678\n18612345678\n13912345678,13912345678", "13912345678",
       {"13912345678", "13912345678", "13912345678"}, {"18612345678"}},
      {"AtVeryEndOfSearched", "5678\n1234\n9999", "1234\n5678", {"5678", "1234"}, {"9999"}},
      {"SearchedEndsAtFirstZero", "13912345678\n18612345678", "13912345678" + kZero + "18612345678", {"13912345678"},
       {"18612345678"}},
      // A token's text ends at its first zero byte; a run that starts with one holds no number at all.
      {"TokenTextEndsAtZero", kZero + "1391234\n1234" + kZero + "567\n12" + kZero + kZero + "\n9876", "91234",
       {"1234", "12"}, {"9876"}},
      {"NoMatchAcrossSeparators", "1234", "12 34\n12,34\r\n12\r34", {}, {"1234"}},
      {"FourAndThirtyByteTokens", "1234\n" + k30 + "\n" + k30.substr(1), "01234 9" + k30 + "9",
       {"1234", k30, k30.substr(1)}, {}},
      {"ThirtyByteTokenCutShort", k30, k30.substr(0, 29) + " " + k30.substr(1), {}, {k30}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Listed(CompareNumberFiles(c.scanned, c.searched, ComparisonMode::FindSame)), c.same);
    EXPECT_EQ(Listed(CompareNumberFiles(c.scanned, c.searched, ComparisonMode::FindDifferent)), c.different);
    EXPECT_EQ(Listed(test::CompareNumberFilesNaively(c.scanned, c.searched, ComparisonMode::FindSame)), c.same);
    EXPECT_EQ(Listed(test::CompareNumberFilesNaively(c.scanned, c.searched, ComparisonMode::FindDifferent)),
              c.different);
  }
}

// Tens of thousands of distinct numbers, each twice: the repeat table grows many times, in memory and
// in every bucket of a spilled comparison, and still lists each number once.
TEST(CompareTexts, UniqueDropsEveryRepeatOfManyNumbers) {
  std::string scanned;
  std::string firsts;
  for (int pass = 0; pass < 2; ++pass) {
    for (long long i = 0; i < 60000; ++i) {
      const std::string number = std::to_string(13900000000LL + i * 7919 % 1000000);
      scanned += (pass == 1 ? "+86" : "") + number + "\n";
      if (pass == 0) firsts += number + ",";
    }
  }
  for (const std::uint64_t budget : {std::uint64_t{0}, std::uint64_t{256} << 10}) {
    ComparisonSettings settings;
    settings.mode = ComparisonMode::FindDifferent;
    settings.unique = true;
    settings.memoryBudget = budget;
    std::string listed;
    ASSERT_FALSE(CompareTexts(scanned, "1", settings, [&](std::string_view n) { (listed += n) += ","; }));
    EXPECT_TRUE(listed == firsts) << "budget " << budget;
  }
}

// A file that cannot be read is named, whichever of the two it is, and the result keeps what it held.
TEST(CompareFiles, FailureNamesTheFileAndLeavesTheResult) {
  TemporaryFolder folder;
  WriteFile(folder / "big.txt", "13912345678\n18612345678\n");
  const char* const cases[][3] = {{"big.txt", "missing.txt", "missing.txt"}, {"gone1.txt", "gone2.txt", "gone1.txt"}};
  for (const auto& [file1, file2, failing] : cases) {
    NumberList result;
    result.Append("earlier");
    const FileResult error = CompareFiles(folder / file1, folder / file2, ComparisonMode::FindSame, result);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Message(), "无法读取文件“" + (folder / failing).string() + "”：文件或文件夹不存在");
    EXPECT_EQ(Listed(result), Numbers{"earlier"});
  }
}

}  // namespace
}  // namespace zelvane
