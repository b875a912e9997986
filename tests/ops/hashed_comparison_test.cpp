// Matching a number file against a list of its numbers' digests: what is listed and in which order, in
// memory and spilled, whichever file is larger; and the files that are no list to match.

#include "ops/number_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "core/normalize_number.h"
#include "core/platform/digest.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using test::TemporaryFolder;
using test::WriteFile;
using Numbers = std::vector<std::string>;

std::string Hex(DigestKind kind, std::string_view number, bool capitals) {
  Digester digester(kind);
  std::string hex(DigestHexLength(kind), '\0');
  digester.HexDigest(number, hex.data());
  if (capitals) std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) { return std::toupper(c); });
  return hex;
}

bool IsDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A user's list of count tokens: mobiles, a seventh of them landlines, some after +86 or 86, each
// number about twice, and a note (text, no number) every 97th token.
std::vector<std::string> PlainTokens(int count) {
  std::vector<std::string> tokens;
  for (int i = 0; i < count; ++i) {
    const long long n = i * 7919LL % (count / 2 + 1);
    std::string token = i % 7 == 0 ? "0755" + std::to_string(80000000 + n) : std::to_string(13900000000LL + n);
    if (i % 5 == 1 && token[0] == '1') token = "+86" + token;
    if (i % 5 == 2 && token[0] == '1') token = "86" + token;
    tokens.push_back(i % 97 == 3 ? "note" + std::to_string(i) : token);
  }
  return tokens;
}

struct Result {
  Numbers listed;
  ComparisonOutcome outcome;
  FileResult error;
};

Result Compare(const std::filesystem::path& file1, const std::filesystem::path& file2,
               const ComparisonSettings& given) {
  Result result;
  ComparisonSettings settings = given;
  settings.outcome = &result.outcome;
  result.error = CompareFiles(file1, file2, settings, [&](std::string_view n) { result.listed.emplace_back(n); });
  return result;
}

// Thousands of numbers against a list of a fifth of them and of numbers not in the file: more numbers
// than a batch hashed at once, a list that spans the reads' 1 MiB pieces when it is the larger file,
// and a budget that sends the digests and the comparison to temporary files.
TEST(CompareWithHashedList, ListsThePlainFilesNumbersInItsOrder) {
  constexpr std::uint64_t kSpilling = std::uint64_t{256} << 10;
  const struct {
    const char* name;
    DigestKind kind;
    bool capitals;
    ComparisonMode mode;
    bool unique;
    std::uint64_t budget;
    bool listLarger;  // the hashed list has more bytes than the number file
    bool plainFirst;
    // clang-format off
  } cases[] = {
      {"Md5Same", DigestKind::Md5, false, ComparisonMode::FindSame, false, 0, false, true},
      {"Md5DifferentUniqueSpilled", DigestKind::Md5, false, ComparisonMode::FindDifferent, true, kSpilling, false, false},
      {"Md5CapitalsSameUniqueListLarger", DigestKind::Md5, true, ComparisonMode::FindSame, true, kSpilling, true, true},
      {"Sha256DifferentListLarger", DigestKind::Sha256, false, ComparisonMode::FindDifferent, false, 0, true, false},
      {"Sha256CapitalsSameSpilled", DigestKind::Sha256, true, ComparisonMode::FindSame, false, kSpilling, false, true},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> tokens = PlainTokens(c.listLarger ? 3000 : 40000);
    std::string plain;
    for (const std::string& token : tokens) plain += token + (plain.size() % 3 == 0 ? "\r\n" : ",");
    std::set<std::string> listedNumbers;
    std::string list;
    for (const std::string& token : tokens) {
      const std::string number(NormalizeNumber(token));
      if (IsDigits(number) && (number.back() - '0') % 5 == 0 && listedNumbers.insert(number).second) {
        list += Hex(c.kind, number, c.capitals) + "\n";
      }
    }
    for (int i = 0; i < (c.listLarger ? 45000 : 2000); ++i) {
      list += Hex(c.kind, std::to_string(18600000000LL + i), c.capitals) + "\r\n";
    }
    ASSERT_EQ(list.size() > plain.size(), c.listLarger);

    Numbers expected;
    std::set<std::string> seen;
    std::uint64_t notNumbers = 0;
    for (const std::string& token : tokens) {
      const std::string number(NormalizeNumber(token));
      if (!IsDigits(number)) {
        ++notNumbers;
      } else if ((c.mode == ComparisonMode::FindSame) == listedNumbers.contains(number) &&
                 (!c.unique || seen.insert(number).second)) {
        expected.push_back(number);
      }
    }

    TemporaryFolder folder;
    WriteFile(folder / "plain.txt", plain);
    WriteFile(folder / "list.txt", list);
    std::filesystem::create_directory(folder / "tmp");
    ComparisonSettings settings;
    settings.mode = c.mode;
    settings.unique = c.unique;
    settings.memoryBudget = c.budget;
    settings.temporaryFolder = folder / "tmp";
    const Result result = c.plainFirst ? Compare(folder / "plain.txt", folder / "list.txt", settings)
                                       : Compare(folder / "list.txt", folder / "plain.txt", settings);
    ASSERT_FALSE(result.error) << result.error->Message();
    EXPECT_TRUE(result.listed == expected) << result.listed.size() << " listed, " << expected.size() << " expected";
    EXPECT_GT(expected.size(), 300u);
    EXPECT_EQ(result.outcome.listedFile, c.plainFirst ? 1 : 2);
    EXPECT_EQ(result.outcome.hashedList, c.kind);
    EXPECT_EQ(result.outcome.notHashed, notNumbers);
    EXPECT_TRUE(test::FileNamesIn(folder / "tmp").empty());
  }
}

// What is hashed is the number as the lists hold it: the 11-digit mobile without +86 or 86, the landline
// with its 0 and area code; pinned on digests that md5sum and sha256sum give.
TEST(CompareWithHashedList, HashesTheNormalisedNumber) {
  const std::string plain = "+8613800138000\n075588886666\n8613900139000\n13912345678\n";
  const struct {
    const char* name;
    std::string list;
    Numbers same;
  } cases[] = {
      {"Md5", "7945bd83237335e5376ff44d62e4f0ae\n61d75eb5e3bba3927ea8edecde17c242\n", {"13800138000", "075588886666"}},
      {"Sha256Capitals", "F1D8142CBB59C0A2F93F91FBE934F83F9AFBDAB0B8FAFAABAD0F842B32AAB322", {"13900139000"}},
      {"Sha256",
       "a6942f9771d67f34034d2f1926988ed3fad3bf1b4e7cedb9a31f31398dea43bc,"
       "515c598fdf5af6f56eb2545e7263c4b474435845c00e54569169f81f4b081ff0",
       {"13800138000", "075588886666"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder folder;
    WriteFile(folder / "plain.txt", plain);
    WriteFile(folder / "list.txt", c.list);
    const Result result = Compare(folder / "list.txt", folder / "plain.txt", {});
    ASSERT_FALSE(result.error) << result.error->Message();
    EXPECT_EQ(result.listed, c.same);
  }
}

// Which file is taken for a hashed list, and the files that are no list to match: each named, nothing
// listed.
TEST(CompareWithHashedList, RecognisesTheListOrSaysWhyNot) {
  const std::string md5 = "7945bd83237335e5376ff44d62e4f0ae";  // 13800138000
  const std::string digitsOnly(32, '7');
  const std::string sha256 = "a6942f9771d67f34034d2f1926988ed3fad3bf1b4e7cedb9a31f31398dea43bc";
  const std::string numbers = "13800138000\n13912345678\n";
  std::string digitDigests;
  for (int i = 0; i < 40000; ++i)
    digitDigests += std::to_string(10000000000000000LL + i) + digitsOnly.substr(17) + "\n";
  const struct {
    const char* name;
    std::string file1, file2;
    std::optional<DigestKind> forced;
    Numbers same;
    std::string error;  // the message ({1} and {2} the files), or nothing when the comparison runs
    // clang-format off
  } cases[] = {
      // 32 digits without a letter are a long number, unless the reading is forced.
      {"DigitsAreNumbers", numbers + digitsOnly, numbers, std::nullopt, {"13800138000", "13912345678"}, ""},
      {"DigitsForcedMd5", digitsOnly + "\n" + md5, numbers, DigestKind::Md5, {"13800138000"}, ""},
      {"ForcedSha256", numbers, sha256, DigestKind::Sha256, {"13800138000"}, ""},
      {"NumberAmongDigests", md5 + "\n13800138000\n" + md5, numbers, std::nullopt, {},
       "无法读取文件“{1}”：其中既有散列值又有别的内容：共3项，MD5值（32位十六进制数）2项，SHA-256值（64位十六进制数）0项。"
       "散列值列表只能全是同一种散列值，号码文件中不能有散列值"},
      {"HeaderAboveDigests", numbers, "md5\r\n" + md5, std::nullopt, {},
       "无法读取文件“{2}”：其中既有散列值又有别的内容：共2项，MD5值（32位十六进制数）1项，SHA-256值（64位十六进制数）0项。"
       "散列值列表只能全是同一种散列值，号码文件中不能有散列值"},
      // The first hex letter comes past the first 1 MiB read (digests of digits alone before it): the
      // file is surveyed again from its start.
      {"LetterPastTheFirstPiece", digitDigests + md5, numbers, std::nullopt, {"13800138000"}, ""},
      // A few tokens that look like digests do not make a number file a list.
      {"DigestAmongNumbers", numbers + numbers + md5, numbers, std::nullopt, {"13800138000", "13912345678",
       "13800138000", "13912345678"}, ""},
      {"BothKinds", md5 + "," + sha256, numbers, std::nullopt, {},
       "无法读取文件“{1}”：其中既有散列值又有别的内容：共2项，MD5值（32位十六进制数）1项，SHA-256值（64位十六进制数）1项。"
       "散列值列表只能全是同一种散列值，号码文件中不能有散列值"},
      {"BothHashed", md5, sha256, std::nullopt, {}, "无法读取文件“{2}”：它和“{1}”都是散列值列表，要有一个是号码文件才能比较"},
      {"ForcedOtherKind", numbers, sha256, DigestKind::Md5, {}, "无法读取文件“{2}”：其中全是SHA-256值，不是MD5值"},
      {"ForcedNone", numbers, numbers, DigestKind::Md5, {}, "两个文件都不是MD5值列表（每项是32位十六进制数）"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder folder;
    WriteFile(folder / "1.txt", c.file1);
    WriteFile(folder / "2.txt", c.file2);
    ComparisonSettings settings;
    settings.hashed = c.forced;
    const Result result = Compare(folder / "1.txt", folder / "2.txt", settings);
    EXPECT_EQ(result.listed, c.same);
    if (c.error.empty()) {
      EXPECT_FALSE(result.error) << result.error->Message();
      continue;
    }
    ASSERT_TRUE(result.error);
    std::string expected = c.error;
    for (const std::string file : {"1", "2"}) {
      const std::string placeholder = "{" + file + "}";
      if (const std::size_t at = expected.find(placeholder); at != std::string::npos) {
        expected.replace(at, placeholder.size(), test::PathInMessage(folder / (file + ".txt")));
      }
    }
    EXPECT_EQ(result.error->path.empty() ? result.error->reason : result.error->Message(), expected);
  }
}

}  // namespace
}  // namespace zelvane
