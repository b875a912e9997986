// The fast search against the naive one on thousands of random and adversarial inputs: every token must
// be found or missed alike, and every listed number be the same, byte for byte.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/number_scanner.h"
#include "ops/number_comparison.h"
#include "ops/token_search.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using Numbers = std::vector<std::string>;

Numbers Listed(const NumberList& list) { return Numbers(list.begin(), list.end()); }

std::string Escaped(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char byte : bytes) {
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      out.push_back(static_cast<char>(byte));
    } else {
      out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return out;
}

// Number texts built to hit the edges: few distinct bytes so that matches are common, runs of 1 to 62
// bytes, zero bytes, GBK bytes, and scanned tokens cut from the searched runs, with +86 or 86 before
// them or a byte more after them.
class PairMaker {
 public:
  PairMaker(unsigned seed, bool asciiOnly) : random_(seed), asciiOnly_(asciiOnly) {}

  std::string Searched() {
    std::string text;
    runs_.clear();
    const std::size_t runCount = Below(40);
    for (std::size_t i = 0; i < runCount; ++i) {
      const std::string run = Run(RunLength());
      runs_.push_back(run);
      text += run;
      if (i + 1 < runCount || Below(2) == 0) text += Separators();
    }
    if (Below(8) == 0 && !text.empty()) text.insert(Below(text.size()), 1, '\0');
    return text;
  }

  // Call after Searched: takes many of its tokens from the searched runs.
  std::string Scanned() {
    std::string text;
    const std::size_t tokenCount = Below(40);
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < tokenCount; ++i) {
      tokens.push_back(!tokens.empty() && Below(8) == 0 ? tokens[Below(tokens.size())] : Token());
      text += tokens.back();
      if (i + 1 < tokenCount || Below(2) == 0) text += Separators();
    }
    return text;
  }

 private:
  std::size_t Below(std::size_t bound) { return bound == 0 ? 0 : random_() % bound; }

  std::size_t RunLength() {
    static constexpr std::size_t kLengths[] = {1, 2, 3, 4, 4, 5, 8, 11, 11, 11, 12, 13, 14, 29, 30, 30, 31, 35, 62};
    return kLengths[Below(std::size(kLengths))];
  }

  char ContentByte() {
    static constexpr char kCommon[] = "1386";
    static constexpr char kRare[] =
        "0+\t\xA3\xAC"
        "a";
    if (Below(200) == 0) return '\0';
    if (Below(10) > 0) return kCommon[Below(4)];
    return kRare[Below(asciiOnly_ ? 3 : 6)];
  }

  std::string Run(std::size_t length) {
    std::string run;
    for (std::size_t i = 0; i < length; ++i) run.push_back(ContentByte());
    return run;
  }

  std::string Separators() {
    static constexpr char kSeparators[] = "\n\r ,";
    static const char* const kCommon[] = {"\r\n", "\n", ","};
    if (Below(4) > 0) return kCommon[Below(3)];
    std::string separators;
    for (std::size_t i = 0, count = 1 + Below(3); i < count; ++i) separators.push_back(kSeparators[Below(4)]);
    return separators;
  }

  std::string Token() {
    if (runs_.empty() || Below(4) == 0) return Run(RunLength());
    const std::string& run = runs_[Below(runs_.size())];
    const std::size_t start = Below(2) == 0 ? 0 : Below(run.size());
    std::string token = run.substr(start, Below(2) == 0 ? std::string::npos : 1 + Below(run.size() - start));
    switch (Below(6)) {
      case 0:
        return "+86" + token;
      case 1:
        return "86" + token;
      case 2:
        return token + ContentByte();
      default:
        return token;
    }
  }

  std::mt19937 random_;
  bool asciiOnly_;
  std::vector<std::string> runs_;
};

// For each token of scanned, in scan order: does ContainsSubstring find it in searched?
std::vector<bool> FoundNaively(std::string_view scanned, std::string_view searched) {
  std::vector<bool> found;
  ScanNumbers(scanned, [&](std::string_view token) { found.push_back(ContainsSubstring(searched, token) == 1); });
  return found;
}

TEST(CompareDifferential, FindsWhatTheNaiveSearchFinds) {
  std::size_t found = 0;
  std::size_t missed = 0;
  for (unsigned seed = 0; seed < 5000; ++seed) {
    PairMaker maker(seed, false);
    const std::string searched = maker.Searched();
    const std::string scanned = maker.Scanned();
    const std::vector<bool> expected = FoundNaively(scanned, searched);
    // The comparison searches the searched data up to its first zero byte.
    ASSERT_EQ(FindTokensIn(scanned, std::string_view(searched).substr(0, searched.find('\0'))), expected)
        << "seed " << seed << "\nscanned:  " << Escaped(scanned) << "\nsearched: " << Escaped(searched);
    for (bool token : expected) ++(token ? found : missed);
  }
  // Both outcomes are common, or the inputs test little.
  EXPECT_GT(found, 10000u);
  EXPECT_GT(missed, 30000u);
}

// How a number file stores its text on disk.
enum class Encoding { Plain, Utf8Mark, Utf16Le, Utf16Be };

std::string Encode(std::string_view text, Encoding encoding) {
  switch (encoding) {
    case Encoding::Plain:
      return std::string(text);
    case Encoding::Utf8Mark:
      return "\xEF\xBB\xBF" + std::string(text);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
      const bool little = encoding == Encoding::Utf16Le;
      std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
      for (char c : text) out += little ? std::string{c, '\0'} : std::string{'\0', c};
      return out;
    }
  }
  return {};
}

// Whole files: byte-order marks, UTF-16, empty files and equal sizes, with the larger file on disk scanned.
TEST(CompareDifferential, MatchesTheNaiveSearchOnFiles) {
  test::TemporaryFolder folder;
  const std::filesystem::path path1 = folder / "1.txt";
  const std::filesystem::path path2 = folder / "2.txt";
  for (unsigned seed = 0; seed < 160; ++seed) {
    const auto encoding1 = static_cast<Encoding>(seed % 4);
    const auto encoding2 = static_cast<Encoding>(seed / 4 % 4);
    PairMaker maker(seed, true);
    std::string text1 = maker.Searched();
    std::string text2 = maker.Scanned();
    if (seed % 3 == 0) std::swap(text1, text2);
    std::string file1 = Encode(text1, encoding1);
    std::string file2 = Encode(text2, encoding2);
    // One pair in five is made the same size on disk, with line feeds after the shorter text.
    const bool utf16Shorter = (file1.size() < file2.size() ? encoding1 : encoding2) >= Encoding::Utf16Le;
    while (seed % 5 == 0 && file1.size() != file2.size() && !(utf16Shorter && (file1.size() + file2.size()) % 2)) {
      std::string& shorter = file1.size() < file2.size() ? text1 : text2;
      shorter += '\n';
      file1 = Encode(text1, encoding1);
      file2 = Encode(text2, encoding2);
    }
    test::WriteFile(path1, file1);
    test::WriteFile(path2, file2);
    const bool secondScanned = file2.size() > file1.size();
    for (ComparisonMode mode : {ComparisonMode::FindSame, ComparisonMode::FindDifferent}) {
      NumberList result;
      const FileResult error = CompareFiles(path1, path2, mode, result);
      ASSERT_FALSE(error) << error->Message();
      ASSERT_EQ(Listed(result), Listed(secondScanned ? CompareNumberFilesNaively(text2, text1, mode)
                                                     : CompareNumberFilesNaively(text1, text2, mode)))
          << "seed " << seed << "\nfile 1: " << Escaped(file1) << "\nfile 2: " << Escaped(file2);
    }
  }
}

}  // namespace
}  // namespace zelvane
