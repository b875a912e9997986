#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/carrier_prefix_table.h"
#include "core/carrier_prefixes.h"

namespace zelvane {
namespace {

using C = NumberCategory;

struct ClassifyCase {
  std::string_view token;
  std::string_view normalized;
  int prefix;
  NumberCategory category;
};

void PrintTo(const ClassifyCase& c, std::ostream* out) { *out << "token \"" << c.token << "\""; }

class ClassifyTokenTest : public testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyTokenTest, NormalizesAndClassifies) {
  const ClassifyCase& c = GetParam();
  const std::string_view normalized = NormalizeNumber(c.token);
  EXPECT_EQ(normalized, c.normalized);
  EXPECT_EQ(PrefixValue(normalized), c.prefix);
  EXPECT_EQ(ClassifyNumber(normalized), c.category);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Tokens, ClassifyTokenTest,
    testing::Values(
        ClassifyCase{"13912345678", "13912345678", 139, C::Mobile},
        ClassifyCase{"+8613912345678", "13912345678", 139, C::Mobile},
        ClassifyCase{"8613912345678", "13912345678", 139, C::Mobile},
        ClassifyCase{"013912345678", "13912345678", 139, C::Mobile},
        ClassifyCase{"01012345678", "01012345678", 10, C::Phs},
        ClassifyCase{"8601012345678", "01012345678", 10, C::Phs},
        ClassifyCase{"86013912345678", "013912345678", 13, C::Phs},
        ClassifyCase{"95588", "95588", 955, C::Other},
        ClassifyCase{"0123456789", "123456789", 123, C::Other},
        ClassifyCase{"0086139123", "0086139123", 8, C::Other},
        ClassifyCase{"+086139123456", "+086139123456", 8, C::Other},
        // Table says fixed-wireless, but without a leading 0 there is no area code.
        ClassifyCase{"+13912345678", "+13912345678", 13, C::Other},
        ClassifyCase{"\t13912345678", "\t13912345678", 13, C::Other},
        ClassifyCase{"8612", "12", 12, C::Other},
        ClassifyCase{"8699x1234", "99x1234", 99, C::Other},
        // Prefix values 0..9 and negative ones belong to no carrier, whatever the length.
        ClassifyCase{"00012345678", "00012345678", 0, C::Other},
        ClassifyCase{"00912345678", "00912345678", 9, C::Other},
        ClassifyCase{"1a912345678", "1a912345678", 1, C::Other},
        ClassifyCase{"abc12345678", "abc12345678", 0, C::Other},
        ClassifyCase{"-1312345678", "-1312345678", -13, C::Other},
        ClassifyCase{"\t-912345678", "\t-912345678", -9, C::Other},
        ClassifyCase{"+86", "", 0, C::Other},
        ClassifyCase{"\xEF\xBB\xBF" "13912345678", "\xEF\xBB\xBF" "13912345678", 0, C::Other}));

// Every prefix from 100 to 999 with an 11-byte number: the carriers' lists, everything else Other.
TEST(ClassifyNumber, EveryThreeDigitPrefix) {
  const auto expected = [](int prefix) {
    for (int p : carrier_prefixes::kMobile) if (p == prefix) return C::Mobile;
    for (int p : carrier_prefixes::kUnicom) if (p == prefix) return C::Unicom;
    for (int p : carrier_prefixes::kTelecom) if (p == prefix) return C::Telecom;
    return C::Other;
  };
  int carriers = 0;
  for (int prefix = 100; prefix <= 999; ++prefix) {
    const std::string number = std::to_string(prefix) + "12345678";
    EXPECT_EQ(ClassifyNumber(number), expected(prefix)) << number;
    EXPECT_EQ(ClassifyNumber(number + "9"), C::Other) << number << "9";
    carriers += expected(prefix) != C::Other;
  }
  EXPECT_EQ(carriers, 25);
}

TEST(ClassifyNumber, AreaCodesTakeAnyLength) {
  for (int prefix = 10; prefix <= 99; ++prefix) {
    const std::string number = "0" + std::to_string(prefix);
    EXPECT_EQ(ClassifyNumber(number), C::Phs) << number;
    EXPECT_EQ(ClassifyNumber(number + "123456789012"), C::Phs) << number;
  }
}

}  // namespace
}  // namespace zelvane

// clang-format on