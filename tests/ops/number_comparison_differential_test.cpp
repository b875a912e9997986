// The fast comparison against the naive one on thousands of random and adversarial inputs, in memory
// budgets from plenty down to a few hundred bytes (the tokens in buckets in a temporary file, rounds cut
// short), with each speed-up off and with repeats dropped: every listed number must be the same, byte
// for byte. Some pairs also go through whole files, encoded and read from pipes.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ops/number_comparison.h"
#include "tests/support/naive_comparison.h"
#include "tests/support/scoped_speedups.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using Numbers = std::vector<std::string>;

Numbers Listed(const NumberList& list) { return Numbers(list.begin(), list.end()); }

// Number texts built to hit the edges: few distinct bytes so that matches are common, runs of 1 to 62
// bytes and junk of every length from 4 to 40, zero bytes, GBK bytes unless asciiOnly, and scanned
// tokens cut from the searched runs, with +86 or 86 before them or a byte more after them, some more
// than once.
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
    const std::size_t length = Below(3) == 0 ? 4 + Below(37) : kLengths[Below(std::size(kLengths))];
    for (std::size_t i = length; i > 0; --i) run.push_back(ContentByte());
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

// Each number only where it first occurs.
Numbers FirstOccurrences(Numbers listed) {
  std::set<std::string> seen;
  std::erase_if(listed, [&seen](const std::string& number) { return !seen.insert(number).second; });
  return listed;
}

// What the naive search lists; with unique, each number only where it first occurs.
Numbers Expected(std::string_view scanned, std::string_view searched, ComparisonMode mode, bool unique) {
  Numbers listed = Listed(test::CompareNumberFilesNaively(scanned, searched, mode));
  return unique ? FirstOccurrences(std::move(listed)) : listed;
}

// How a file stores its text on disk: plain, after a UTF-8 mark, or UTF-16 LE or BE.
std::string Encode(std::string_view text, int encoding) {
  if (encoding < 2) return (encoding == 1 ? "\xEF\xBB\xBF" : "") + std::string(text);
  std::string out = encoding == 2 ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : text) out += encoding == 2 ? std::string{c, '\0'} : std::string{'\0', c};
  return out;
}

struct Variant {
  const char* name;
  std::uint64_t budget;
  SpeedupSwitches speedups;
  bool unique;
};

constexpr std::uint64_t kPlenty = std::numeric_limits<std::uint64_t>::max();
// clang-format off
const Variant kVariants[] = {
    {"in memory", kPlenty, {}, false},
    {"a tiny budget", 1536, {}, false},
    {"a small budget, unique", 6000, {}, true},
    {"unique", kPlenty, {}, true},
    {"one class per length", 3000, {.lengthClasses = false}, false},
    {"no partitions, no filter", kPlenty, {.partitioning = false, .filter = false}, false},
};
// clang-format on

#ifdef _WIN32
constexpr bool kPipesHavePaths = false;  // no path names a pipe's end there
#else
constexpr bool kPipesHavePaths = true;

// Feeds bytes to a pipe from a thread of its own: its read end as a path, as a shell's <(...) gives it.
class PipeFeed {
 public:
  explicit PipeFeed(std::string bytes) {
    int ends[2];
    if (::pipe(ends) != 0) throw std::runtime_error("pipe failed");
    // Standard input while the feed lives: a stream is read by the name "-", never by a path.
    saved_ = ::dup(0);
    ::dup2(ends[0], 0);
    ::close(ends[0]);
    writer_ = std::thread([fd = ends[1], bytes = std::move(bytes)] {
      for (std::size_t at = 0; at < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + at, bytes.size() - at);
        if (written <= 0) break;
        at += static_cast<std::size_t>(written);
      }
      ::close(fd);
    });
  }
  ~PipeFeed() {
    writer_.join();
    ::dup2(saved_, 0);
    ::close(saved_);
  }
  std::filesystem::path path() const { return kStandardInput; }

 private:
  int saved_;
  std::thread writer_;
};
#endif

TEST(CompareDifferential, ListsWhatTheNaiveSearchLists) {
  test::TemporaryFolder folder;
  const std::filesystem::path path1 = folder / "1.txt";
  const std::filesystem::path path2 = folder / "2.txt";
  std::size_t found = 0;
  std::size_t missed = 0;
  for (unsigned seed = 0; seed < 12000; ++seed) {
    const Variant& variant = kVariants[seed % std::size(kVariants)];
    // One pair in 32 also goes through whole files; those stay ASCII so that UTF-16 can hold them.
    const bool onDisk = seed % 32 == 0;
    PairMaker maker(seed, onDisk);
    const std::string searched = maker.Searched();
    const std::string scanned = maker.Scanned();
    ComparisonSettings settings{.unique = variant.unique,
                                .memoryBudget = variant.budget,
                                .temporaryFolder = folder.path()};
    const ScopedSpeedups speedups(variant.speedups);
    for (ComparisonMode mode : {ComparisonMode::FindSame, ComparisonMode::FindDifferent}) {
      settings.mode = mode;
      Numbers listed;
      const FileResult error =
          CompareTexts(scanned, searched, settings, [&](std::string_view n) { listed.emplace_back(n); });
      ASSERT_FALSE(error) << error->Message();
      const Numbers expected = Expected(scanned, searched, mode, variant.unique);
      ASSERT_EQ(listed, expected) << "seed " << seed << ", " << variant.name
                                  << "\nscanned:  " << testing::PrintToString(scanned)
                                  << "\nsearched: " << testing::PrintToString(searched);
      if (!variant.unique) (mode == ComparisonMode::FindSame ? found : missed) += expected.size();
    }
    if (!onDisk) continue;

    // Byte-order marks, UTF-16, empty files and, one pair in five, equal sizes on disk; the larger file
    // is scanned. One pair in three reads file 2 from a pipe: its size is the text read from it.
    const unsigned pair = seed / 32;
    const bool sameSize = pair % 5 == 0;
    const bool piped = kPipesHavePaths && pair % 3 == 1;
    std::string text1 = pair % 3 == 0 ? scanned : searched;
    std::string text2 = pair % 3 == 0 ? searched : scanned;
    if (sameSize) text1.resize(std::max(text1.size(), text2.size()), '\n');
    if (sameSize) text2.resize(text1.size(), '\n');
    const std::string file1 = Encode(text1, static_cast<int>(pair % 4));
    const std::string file2 = Encode(text2, static_cast<int>(sameSize ? pair % 4 : pair / 4 % 4));
    test::WriteFile(path1, file1);
    test::WriteFile(path2, file2);
    const bool secondScanned = piped ? text2.size() > file1.size() : file2.size() > file1.size();
    settings.inputs = InputKinds::AnyStream;
    for (ComparisonMode mode : {ComparisonMode::FindSame, ComparisonMode::FindDifferent}) {
      settings.mode = mode;
      Numbers listed;
#ifdef _WIN32
      const std::filesystem::path second = path2;
#else
      std::optional<PipeFeed> feed;
      if (piped) feed.emplace(file2);
      const std::filesystem::path second = piped ? feed->path() : path2;
#endif
      const FileResult error =
          CompareFiles(path1, second, settings, [&](std::string_view n) { listed.emplace_back(n); });
      // A budget too small for the rounds to fit is refused, never half done.
      if (error && error->usage && variant.budget != kPlenty) {
        EXPECT_TRUE(listed.empty());
        continue;
      }
      ASSERT_FALSE(error) << error->Message();
      ASSERT_EQ(listed, secondScanned ? Expected(text2, text1, mode, variant.unique)
                                      : Expected(text1, text2, mode, variant.unique))
          << "seed " << seed << ", " << variant.name << "\nfile 1: " << testing::PrintToString(file1)
          << "\nfile 2: " << testing::PrintToString(file2);
    }
  }
  // Both outcomes are common, or the inputs test little; nothing is left in the temporary folder.
  EXPECT_GT(found, 10000u);
  EXPECT_GT(missed, 30000u);
  EXPECT_EQ(test::FileNamesIn(folder.path()), (std::vector<std::string>{"1.txt", "2.txt"}));
}

// Lines as users' files hold them, at a size where the comparison plans differently than for a few
// lines: over a thousand tokens of 4 and of 5 bytes (numbers written in groups, service numbers repeated
// hundreds of times), so that short lengths get classes of their own, and filters narrowed between
// batches while repeats of one token wait for the token's own record. Mobiles come from numbers, so that
// the other side finds many of them.
std::string RealisticLines(std::mt19937& random, const Numbers& numbers, std::size_t lines) {
  static const char* const kService[] = {"10086", "95588", "12306", "110", "96110"};
  const auto below = [&random](std::size_t bound) { return random() % bound; };
  const auto digits = [&](std::size_t count) {
    std::string text;
    while (text.size() < count) text.push_back(static_cast<char>('0' + below(10)));
    return text;
  };
  std::string text;
  for (std::size_t i = 0; i < lines; ++i) {
    const std::string& number = numbers[below(numbers.size())];
    switch (below(12)) {
      case 0:
      case 10:
      case 11: text += kService[below(std::size(kService))]; break;
      case 1: text += number.substr(0, 3) + " " + number.substr(3, 4) + " " + number.substr(7); break;
      case 2: text += digits(4) + " " + digits(4); break;
      case 3: text += below(2) == 0 ? number.substr(below(5), 7) : digits(7 + below(6)); break;
      case 4: text += (below(2) == 0 ? "+86" : "0") + number; break;
      case 5: text += "0755-" + digits(8); break;
      default: text += below(3) == 0 ? "13" + digits(9) : number; break;
    }
    text += below(2) == 0 ? "\r\n" : "\n";
  }
  return text;
}

TEST(CompareDifferential, RealisticFilesEitherSideListWhatTheNaiveSearchLists) {
  test::TemporaryFolder folder;
  std::mt19937 random(2026);
  Numbers mobiles;
  std::string clean;
  for (int i = 0; i < 2000; ++i) {
    mobiles.push_back("13" + std::to_string(100000000 + random() % 900000000));
    clean += mobiles.back() + "\r\n";
  }
  const std::string realistic = RealisticLines(random, mobiles, 6000);
  for (const bool realisticScanned : {true, false}) {
    const std::string& scanned = realisticScanned ? realistic : clean;
    const std::string& searched = realisticScanned ? clean : realistic;
    for (ComparisonMode mode : {ComparisonMode::FindSame, ComparisonMode::FindDifferent}) {
      const Numbers all = Expected(scanned, searched, mode, false);
      const Numbers expected[] = {all, FirstOccurrences(all)};
      for (const Variant& variant : kVariants) {
        const ScopedSpeedups speedups(variant.speedups);
        ComparisonSettings settings{
            .mode = mode, .unique = variant.unique, .memoryBudget = variant.budget, .temporaryFolder = folder.path()};
        Numbers listed;
        const FileResult error =
            CompareTexts(scanned, searched, settings, [&](std::string_view n) { listed.emplace_back(n); });
        if (error && error->usage && variant.budget != kPlenty) continue;  // too small a budget: refused
        ASSERT_FALSE(error) << error->Message();
        ASSERT_TRUE(listed == expected[variant.unique])
            << variant.name << (realisticScanned ? ", realistic file scanned" : ", realistic file searched");
      }
    }
  }
}

}  // namespace
}  // namespace zelvane
