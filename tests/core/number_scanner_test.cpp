#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/number_scanner.h"
#include "tests/support/test_text.h"

namespace zelvane {
namespace {

std::vector<std::string> Scan(std::string_view bytes) {
  std::vector<std::string> tokens;
  ScanNumbers(bytes, [&tokens](std::string_view token) { tokens.emplace_back(token); });
  return tokens;
}

using Tokens = std::vector<std::string>;

struct ScanCase {
  const char* name;
  std::string bytes;
  Tokens tokens;
};

class ScanNumbersTest : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanNumbersTest, YieldsTheTokens) {
  const ScanCase& c = GetParam();
  EXPECT_EQ(Scan(c.bytes), c.tokens);
  for (std::size_t piece = 1; piece <= c.bytes.size(); ++piece) {
    ASSERT_EQ(test::ScanInPieces(c.bytes, piece), c.tokens) << "pieces of " << piece;
  }
}

const std::string k30(30, '7');

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Boundaries, ScanNumbersTest,
    testing::Values(
        ScanCase{"Empty", "", {}},
        ScanCase{"OnlySeparators", "\r\n ,\n\r", {}},
        ScanCase{"NoFinalSeparator", "13912345678", {"13912345678"}},
        ScanCase{"LineEnds", "13912345678\r\n18612345678\n15312345678\r95588\r\n", {"13912345678", "18612345678", "15312345678", "95588"}},
        ScanCase{"CommaAndBlank", "1391, 1862,\r\n\r\n1533", {"1391", "1862", "1533"}},
        ScanCase{"ThreeBytesDropped", "139 1234 5678", {"1234", "5678"}},
        ScanCase{"TabJoins", "13912345678\t18612345678", {"13912345678\t18612345678"}},
        ScanCase{"FullWidthCommaJoins", "13912345678\xA3\xAC" "18612345678", {"13912345678\xA3\xAC" "18612345678"}},
        ScanCase{"ThirtyBytes", k30 + "\n", {k30}},
        ScanCase{"ThirtyBytesAtEnd", "1234\n" + k30, {"1234", k30}},
        // Runs longer than 30 bytes are not numbers: nothing of them is handed over.
        ScanCase{"ThirtyOneBytes", std::string(31, '1') + "\n1234", {"1234"}},
        ScanCase{"ThirtyFiveBytes", std::string(35, '1'), {}},
        ScanCase{"SixtyTwoBytes", std::string(62, '1') + ",5678", {"5678"}},
        ScanCase{"ZeroCutsText", std::string("1391\0" "234", 8) + "\n", {"1391"}},
        ScanCase{"ShortTextAfterZero", std::string("12\0\0", 4), {"12"}},
        // A token that starts with a zero byte has no text and is no number.
        ScanCase{"LeadingZeroDropped", std::string("\0" "1391234", 8) + "\n5678", {"5678"}},
        ScanCase{"HighBytesAreContent", "\xB5\xE7\xBB\xB0", {"\xB5\xE7\xBB\xB0"}}),
    [](const auto& p) { return std::string(p.param.name); });
// clang-format on

// The block search finds what a byte-by-byte look finds, wherever a range starts and ends: every byte
// value, separators in the last byte of a 16- and a 64-byte block and in the padded tail.
TEST(SeparatorSearch, FindsWhatAByteByByteLookFinds) {
  std::mt19937 random(5);
  std::string bytes(300, '\0');
  for (int sample = 0; sample < 200; ++sample) {
    for (char& byte : bytes) byte = static_cast<char>(random() % 4 == 0 ? "\r\n ,"[random() % 4] : random() % 256);
    const std::size_t from = random() % 80;
    const std::size_t end = from + random() % (bytes.size() - from);
    std::vector<std::size_t> expected;
    for (std::size_t i = from; i < end; ++i) {
      if (IsSeparator(static_cast<unsigned char>(bytes[i]))) expected.push_back(i);
    }
    std::vector<std::size_t> found;
    ForEachSeparator(bytes.data() + from, bytes.data() + end,
                     [&](const char* at) { found.push_back(static_cast<std::size_t>(at - bytes.data())); });
    ASSERT_EQ(found, expected) << "from " << from << " to " << end;
    const char* next = NextSeparator(bytes.data() + from, bytes.data() + end);
    ASSERT_EQ(static_cast<std::size_t>(next - bytes.data()), expected.empty() ? end : expected.front());
  }
}

}  // namespace
}  // namespace zelvane
