// The fast search against the naive one on thousands of random and adversarial inputs: every token must
// be found or missed alike, and every listed number be the same, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/number_scanner.h"
#include "ops/number_comparison.h"
#include "ops/token_search.h"
#include "tests/support/naive_comparison.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using Numbers = std::vector<std::string>;

Numbers Listed(const NumberList& list) { return Numbers(list.begin(), list.end()); }

// Number texts built to hit the edges: few distinct bytes so that matches are common, runs of 1 to 62
// bytes, zero bytes, GBK bytes unless asciiOnly, and scanned tokens cut from the searched runs, with +86
// or 86 before them or a byte more after them, some more than once.
class PairMaker {
 public:
  PairMaker(unsigned seed, bool asciiOnly) : random_(seed), asciiOnly_(asciiOnly) {}

  std::string Searched() {
    std::string text = Joined([this] { return runs_.emplace_back(Run()); });
    if (Below(8) == 0 && !text.empty()) text.insert(Below(text.size()), 1, '\0');
    return text;
  }

  // Call after Searched.
  std::string Scanned() {
    std::vector<std::string> tokens;
    return Joined(
        [&] { return tokens.emplace_back(!tokens.empty() && Below(8) == 0 ? tokens[Below(tokens.size())] : Token()); });
  }

 private:
  std::size_t Below(std::size_t bound) { return bound == 0 ? 0 : random_() % bound; }

  // Up to 40 items with separators between them, and half the time after the last.
  template <class Item>
  std::string Joined(Item item) {
    static const char* const kCommon[] = {"\r\n", "\n", ","};
    std::string text;
    for (std::size_t i = 0, count = Below(40); i < count; ++i) {
      text += item();
      if (i + 1 == count && Below(2) == 0) break;
      const std::size_t mixed = Below(4) > 0 ? 0 : 1 + Below(3);  // else a common one
      if (mixed == 0) text += kCommon[Below(3)];
      for (std::size_t n = 0; n < mixed; ++n) text.push_back("\n\r ,"[Below(4)]);
    }
    return text;
  }

  char ContentByte() {
    if (Below(200) == 0) return '\0';
    if (Below(10) > 0) return "1386"[Below(4)];
    return "0+\ta\xA3\xAC"[Below(asciiOnly_ ? 4 : 6)];
  }

  std::string Run() {
    static constexpr std::size_t kLengths[] = {1, 2, 3, 4, 4, 5, 8, 11, 11, 11, 12, 13, 14, 29, 30, 30, 31, 35, 62};
    std::string run;
    for (std::size_t i = kLengths[Below(std::size(kLengths))]; i > 0; --i) run.push_back(ContentByte());
    return run;
  }

  std::string Token() {
    if (runs_.empty() || Below(4) == 0) return Run();
    const std::string& run = runs_[Below(runs_.size())];
    const std::size_t start = Below(2) == 0 ? 0 : Below(run.size());
    std::string token = run.substr(start, Below(2) == 0 ? std::string::npos : 1 + Below(run.size() - start));
    const std::size_t form = Below(6);
    return form == 0 ? "+86" + token : form == 1 ? "86" + token : form == 2 ? token + ContentByte() : token;
  }

  std::mt19937 random_;
  bool asciiOnly_;
  std::vector<std::string> runs_;
};

// How a number file stores its text on disk: plain, after a UTF-8 mark, or UTF-16 LE or BE.
std::string Encode(std::string_view text, int encoding) {
  if (encoding < 2) return (encoding == 1 ? "\xEF\xBB\xBF" : "") + std::string(text);
  std::string out = encoding == 2 ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : text) out += encoding == 2 ? std::string{c, '\0'} : std::string{'\0', c};
  return out;
}

TEST(CompareDifferential, FindsWhatTheNaiveSearchFinds) {
  test::TemporaryFolder folder;
  const std::filesystem::path path1 = folder / "1.txt";
  const std::filesystem::path path2 = folder / "2.txt";
  std::size_t found = 0;
  std::size_t missed = 0;
  for (unsigned seed = 0; seed < 5000; ++seed) {
    // One pair in 32 also goes through whole files; those stay ASCII so that UTF-16 can hold them.
    const bool onDisk = seed % 32 == 0;
    PairMaker maker(seed, onDisk);
    const std::string searched = maker.Searched();
    const std::string scanned = maker.Scanned();
    std::vector<bool> expected;
    ScanNumbers(scanned,
                [&](std::string_view token) { expected.push_back(test::ContainsSubstring(searched, token) == 1); });
    // The comparison searches the searched data up to its first zero byte.
    ASSERT_EQ(FindTokensIn(scanned, std::string_view(searched).substr(0, searched.find('\0'))), expected)
        << "seed " << seed << "\nscanned:  " << testing::PrintToString(scanned)
        << "\nsearched: " << testing::PrintToString(searched);
    for (bool token : expected) ++(token ? found : missed);
    if (!onDisk) continue;

    // Byte-order marks, UTF-16, empty files and, one pair in five, equal sizes on disk; the larger file is scanned.
    const unsigned pair = seed / 32;
    const bool sameSize = pair % 5 == 0;
    std::string text1 = pair % 3 == 0 ? scanned : searched;
    std::string text2 = pair % 3 == 0 ? searched : scanned;
    if (sameSize) text1.resize(std::max(text1.size(), text2.size()), '\n');
    if (sameSize) text2.resize(text1.size(), '\n');
    const std::string file1 = Encode(text1, static_cast<int>(pair % 4));
    const std::string file2 = Encode(text2, static_cast<int>(sameSize ? pair % 4 : pair / 4 % 4));
    test::WriteFile(path1, file1);
    test::WriteFile(path2, file2);
    const bool secondScanned = file2.size() > file1.size();
    for (ComparisonMode mode : {ComparisonMode::FindSame, ComparisonMode::FindDifferent}) {
      NumberList result;
      const FileResult error = CompareFiles(path1, path2, mode, result);
      ASSERT_FALSE(error) << error->Message();
      ASSERT_EQ(Listed(result), Listed(secondScanned ? test::CompareNumberFilesNaively(text2, text1, mode)
                                                     : test::CompareNumberFilesNaively(text1, text2, mode)))
          << "seed " << seed << "\nfile 1: " << testing::PrintToString(file1)
          << "\nfile 2: " << testing::PrintToString(file2);
    }
  }
  // Both outcomes are common, or the inputs test little.
  EXPECT_GT(found, 10000u);
  EXPECT_GT(missed, 30000u);
}

}  // namespace
}  // namespace zelvane
