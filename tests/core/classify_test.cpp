#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "core/normalize_number.h"
#include "core/prefix_table.h"
#include "tests/support/test_files.h"

namespace zelvane {
namespace {

using C = NumberCategory;

struct ClassifyCase {
  std::string_view token;
  std::string_view normalized;
  NumberCategory category;
};

void PrintTo(const ClassifyCase& c, std::ostream* out) { *out << "token \"" << c.token << "\""; }

class ClassifyTokenTest : public testing::TestWithParam<ClassifyCase> {};

// With the original table: the default, which must go on sorting exactly as it always has.
TEST_P(ClassifyTokenTest, NormalizesAndClassifies) {
  const ClassifyCase& c = GetParam();
  const std::string_view normalized = NormalizeNumber(c.token);
  EXPECT_EQ(normalized, c.normalized);
  EXPECT_EQ(PrefixTable::Original().Classify(normalized), c.category);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Tokens, ClassifyTokenTest,
    testing::Values(
        ClassifyCase{"13912345678", "13912345678", C::Mobile},
        ClassifyCase{"+8613912345678", "13912345678", C::Mobile},
        ClassifyCase{"8613912345678", "13912345678", C::Mobile},
        ClassifyCase{"013912345678", "13912345678", C::Mobile},
        ClassifyCase{"01012345678", "01012345678", C::Phs},
        ClassifyCase{"075512345678", "075512345678", C::Phs},
        ClassifyCase{"8601012345678", "01012345678", C::Phs},
        ClassifyCase{"86013912345678", "013912345678", C::Phs},
        ClassifyCase{"0991", "0991", C::Phs},
        ClassifyCase{"95588", "95588", C::Other},
        ClassifyCase{"0123456789", "123456789", C::Other},
        ClassifyCase{"0086139123", "0086139123", C::Other},
        ClassifyCase{"+086139123456", "+086139123456", C::Other},
        // An area code begins with 0: without it there is none.
        ClassifyCase{"+13912345678", "+13912345678", C::Other},
        ClassifyCase{"\t13912345678", "\t13912345678", C::Other},
        ClassifyCase{"\t1391234567", "\t1391234567", C::Other},
        ClassifyCase{"8612", "12", C::Other},
        ClassifyCase{"8699x1234", "99x1234", C::Other},
        ClassifyCase{"07a12345678", "07a12345678", C::Other},
        // Prefixes 000 to 009, and text that does not begin with three digits, belong to no carrier.
        ClassifyCase{"00012345678", "00012345678", C::Other},
        ClassifyCase{"00912345678", "00912345678", C::Other},
        ClassifyCase{"1a912345678", "1a912345678", C::Other},
        ClassifyCase{"abc12345678", "abc12345678", C::Other},
        ClassifyCase{"-1312345678", "-1312345678", C::Other},
        ClassifyCase{"+86", "", C::Other},
        ClassifyCase{"\xEF\xBB\xBF" "13912345678", "\xEF\xBB\xBF" "13912345678", C::Other}));
// clang-format on

// The original table, written out: every three-digit prefix with an 11-byte number.
TEST(OriginalTable, EveryThreeDigitPrefix) {
  const std::pair<C, std::vector<int>> carriers[] = {
      {C::Mobile, {134, 135, 136, 137, 138, 139, 150, 151, 152, 157, 158, 159, 187, 188}},
      {C::Unicom, {130, 131, 132, 155, 156, 185, 186}},
      {C::Telecom, {133, 153, 180, 189}},
  };
  for (int prefix = 100; prefix <= 999; ++prefix) {
    C expected = C::Other;
    for (const auto& [category, prefixes] : carriers) {
      if (std::ranges::find(prefixes, prefix) != prefixes.end()) expected = category;
    }
    const std::string number = std::to_string(prefix) + "12345678";
    EXPECT_EQ(PrefixTable::Original().Classify(number), expected) << number;
    EXPECT_EQ(PrefixTable::Original().Classify(number + "9"), C::Other) << number << "9";
  }
  for (int prefix = 10; prefix <= 99; ++prefix) {
    const std::string number = "0" + std::to_string(prefix);
    EXPECT_EQ(PrefixTable::Original().Classify(number), C::Phs) << number;
    EXPECT_EQ(PrefixTable::Original().Classify(number + "12345678"), C::Phs) << number;
  }
}

// Today's allocation at the edges of its splits; everything in between follows from the data file.
TEST(CurrentTable, BoundaryRows) {
  // clang-format off
  const std::pair<std::string_view, C> cases[] = {
      {"13481234567", C::Mobile}, {"13491234567", C::Telecom}, {"13501234567", C::Mobile},
      {"17001234567", C::Telecom}, {"17021234567", C::Telecom}, {"17031234567", C::Mobile},
      {"17041234567", C::Unicom}, {"17051234567", C::Mobile}, {"17091234567", C::Unicom},
      {"17400123456", C::Telecom}, {"17405123456", C::Telecom}, {"17406123456", C::Other},
      {"17412123456", C::Other}, {"17491234567", C::Other},
      {"19812345678", C::Mobile}, {"19212345678", C::Other}, {"19912345678", C::Telecom},
      {"16612345678", C::Unicom}, {"16212345678", C::Telecom}, {"16512345678", C::Mobile},
      {"14012345678", C::Other}, {"15412345678", C::Other},
      {"18212345678", C::Mobile}, {"1821234567", C::Other}, {"075512345678", C::Phs},
  };
  // clang-format on
  for (const auto& [number, category] : cases) {
    EXPECT_EQ(PrefixTable::Current().Classify(number), category) << number;
  }
}

// The built-in tables print as text that parses back to the same rules.
TEST(PrefixTable, TextParsesBack) {
  for (const PrefixTable* table : {&PrefixTable::Original(), &PrefixTable::Current()}) {
    PrefixTable::ParseError error;
    const std::optional<PrefixTable> again = PrefixTable::Parse(table->Text(), error);
    ASSERT_TRUE(again) << error.line << " " << error.reason;
    ASSERT_EQ(again->Rules().size(), table->Rules().size());
    for (std::size_t i = 0; i < table->Rules().size(); ++i) {
      EXPECT_EQ(again->Rules()[i].prefix, table->Rules()[i].prefix);
      EXPECT_EQ(again->Rules()[i].category, table->Rules()[i].category);
    }
  }
  EXPECT_EQ(PrefixTable::Original().Rules().size(), 25u);
}

// A user's table: the longest rule that a number begins with wins, of any length from 1 to 7.
TEST(PrefixTable, LongestRuleWins) {
  PrefixTable::ParseError error;
  const std::optional<PrefixTable> table = PrefixTable::Parse(
      "\xEF\xBB\xBF# mine\r\n1 其他\r\n13\t联通\r\n\r\n  139  移动  \n1391234 电信\n0755 移动\n", error);
  ASSERT_TRUE(table) << error.reason;
  // clang-format off
  const std::pair<std::string_view, C> cases[] = {
      {"13912345678", C::Telecom}, {"13912335678", C::Mobile}, {"13812345678", C::Unicom},
      {"1a812345678", C::Other}, {"19912345678", C::Other}, {"29912345678", C::Other},
      {"139123456789", C::Other}, {"07551234567", C::Phs}, {"00012345678", C::Other},
  };
  // clang-format on
  for (const auto& [number, category] : cases) EXPECT_EQ(table->Classify(number), category) << number;
}

TEST(PrefixTable, RefusesBadTables) {
  std::string tooMany;
  for (int i = 0; i <= 100000; ++i) tooMany += std::to_string(1000000 + i) + " 移动\n";
  // clang-format off
  const std::tuple<std::string, std::size_t, std::string> cases[] = {
      {"139 移动\n139移动\n", 2, "应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”"},
      {"139\n", 1, "应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”"},
      {"# x\n13912345 移动\n", 2, "应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”"},
      {"+139 移动\n", 1, "应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”"},
      {"139 移动 联通\n", 1, "应为“号段 类别”，号段是 1 到 7 位数字，如“139 移动”"},
      {"139 移不动\n", 1, "未知的类别“移不动”，应为移动、联通、电信、小灵通或其他"},
      {"139 移动\n\n# 又一个\n139 联通\n", 4, "号段139重复（第1行已有）"},
      {"139 \xD2\xC6\xB6\xAF\n", 1, "不是 UTF-8 文本"},  // 移动 in GBK
      {"\xED\xA0\x80\n", 1, "不是 UTF-8 文本"},       // a surrogate
      {tooMany, 100001, "规则超过100000条"},
  };
  // clang-format on
  for (const auto& [text, line, reason] : cases) {
    PrefixTable::ParseError error;
    EXPECT_FALSE(PrefixTable::Parse(text, error)) << text.substr(0, 40);
    EXPECT_EQ(error.line, line) << text.substr(0, 40);
    EXPECT_EQ(error.reason, reason) << text.substr(0, 40);
  }
}

}  // namespace
}  // namespace zelvane
