#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zelvane
