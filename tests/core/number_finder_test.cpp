#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/normalize_number.h"
#include "core/number_finder.h"

namespace zelvane {
namespace {

using Numbers = std::vector<std::string>;

// Feeds text in pieces of pieceSize bytes (0: whole) and ends it.
Numbers Find(std::string_view text, std::size_t pieceSize = 0) {
  Numbers found;
  const auto take = [&found](std::string_view number) { found.emplace_back(number); };
  NumberFinder finder;
  if (pieceSize == 0) pieceSize = text.size() + 1;
  for (std::size_t at = 0; at < text.size(); at += pieceSize) finder.Feed(text.substr(at, pieceSize), take);
  finder.Finish(take);
  return found;
}

struct FindCase {
  const char* name;
  std::string text;
  Numbers numbers;
};

class NumberFinderTest : public testing::TestWithParam<FindCase> {};

TEST_P(NumberFinderTest, FindsTheNumbers) {
  const FindCase& c = GetParam();
  EXPECT_EQ(Find(c.text), c.numbers);
  for (std::size_t piece = 1; piece < c.text.size(); ++piece) {
    ASSERT_EQ(Find(c.text, piece), c.numbers) << "pieces of " << piece;
  }
}

TEST_P(NumberFinderTest, GivesNumbersAsTheProgramNormalisesThem) {
  for (const std::string& number : GetParam().numbers) EXPECT_EQ(NormalizeNumber(number), number);
}

std::string Digits(std::size_t count) { return std::string("1") + std::string(count - 1, '3'); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Whole, NumberFinderTest,
    testing::Values(
        FindCase{"Empty", "", {}},
        FindCase{"Mobile", "13800138000", {"13800138000"}},
        FindCase{"LandlineThreeDigitCode", "01012345678", {"01012345678"}},
        FindCase{"LandlineFourDigitCodeSevenDigits", "07313979306", {"07313979306"}},
        FindCase{"LandlineFourDigitCodeEightDigits", "075512345678", {"075512345678"}},
        FindCase{"ServiceNumbers", "4001236024 8008208820", {"4001236024", "8008208820"}},
        FindCase{"CountryCodes", "8613912345678 +8613912345678 008613912345678", {"13912345678", "13912345678", "13912345678"}},
        FindCase{"StrayZero", "013912345678", {"13912345678"}},
        FindCase{"StrayZeroOnlyWrittenWhole", "0139 1234 5678", {}},
        FindCase{"TelPrefix", "tel:15288015991", {"15288015991"}},
        FindCase{"AmongGbkText", "\xD5\xC5\xC8\xFD" "13912345678" "\xC9\xEE\xDB\xDA", {"13912345678"}},
        FindCase{"AmongUtf8Text", "张三13912345678深圳", {"13912345678"}},
        FindCase{"BeijingLandline", "010-56936132", {"01056936132"}},
        FindCase{"ShanghaiLandline", "02165166899", {"02165166899"}},
        FindCase{"InAnAddress", "http://example.com/u/13800138000?id=7", {"13800138000"}},
        FindCase{"CountryCodeWithoutPlus", "86 138 0013 8000", {"13800138000"}},
        FindCase{"LandlineAbroadNeedsPlus", "86 755 8888 6666", {}}));

INSTANTIATE_TEST_SUITE_P(
    Groups, NumberFinderTest,
    testing::Values(
        FindCase{"Hyphens", "张三 138-0013-8000 深圳", {"13800138000"}},
        FindCase{"HyphensThreeFourFour", "159-6044-7762", {"15960447762"}},
        FindCase{"Blanks", "+86 139 0013 9000", {"13900139000"}},
        FindCase{"ThreeBlocksOfDigits", "175 5093 6597", {"17550936597"}},
        FindCase{"Dots", "138.0013.8000", {"13800138000"}},
        FindCase{"ParenthesesAroundAreaCode", "(0755) 8888-6666", {"075588886666"}},
        FindCase{"ParenthesesNoBlank", "(010)12345678", {"01012345678"}},
        FindCase{"AreaCodeHyphen", "0731-3979306", {"07313979306"}},
        FindCase{"CountryCodeInParentheses", "(+86) 139-0013-9000", {"13900139000"}},
        FindCase{"SpacedHyphen", "138 - 0013 - 8000", {"13800138000"}},
        FindCase{"DoubleZeroCountryCode", "0086 138 0013 8000", {"13800138000"}},
        FindCase{"LandlineAbroadDropsItsZero", "+86 755 8888 6666", {"075588886666"}},
        FindCase{"LandlineAbroadWithZero", "+86 (0755) 8888 6666", {"075588886666"}},
        FindCase{"ServiceNumberGrouped", "400-123-6024", {"4001236024"}},
        FindCase{"Extension", "0755-88886666-123", {"075588886666"}},
        FindCase{"PostcodeBefore", "518000 13800138000", {"13800138000"}},
        FindCase{"FourJoinersApart", "138    00138000", {}}));

INSTANTIATE_TEST_SUITE_P(
    Several, NumberFinderTest,
    testing::Values(
        FindCase{"Slash", "13800138000/13900139000", {"13800138000", "13900139000"}},
        FindCase{"Blank", "13800138000 13900139000", {"13800138000", "13900139000"}},
        FindCase{"Tab", "13800138000\t13900139000", {"13800138000", "13900139000"}},
        FindCase{"FullWidthComma", "13800138000\xEF\xBC\x8C" "13900139000", {"13800138000", "13900139000"}},
        FindCase{"GroupedAfterGrouped", "138 0013 8000 139 0013 9000", {"13800138000", "13900139000"}},
        FindCase{"MobileAndLandline", "手机13800138000 电话(0755)8888-6666", {"13800138000", "075588886666"}},
        FindCase{"ManyInARow", "13800138000 13800138001 13800138002 13800138003",
                 {"13800138000", "13800138001", "13800138002", "13800138003"}}));

// A run of digits is a number whole or not at all.
INSTANTIATE_TEST_SUITE_P(
    RunLengths, NumberFinderTest,
    testing::Values(
        FindCase{"Ten", Digits(10), {}},
        FindCase{"Eleven", Digits(11), {Digits(11)}},
        FindCase{"Twelve", Digits(12), {}},
        FindCase{"Sixteen", Digits(16), {}},
        FindCase{"Seventeen", Digits(17), {}},
        FindCase{"IdentityCard", "身份证 44030119900101123X", {}},
        FindCase{"IdentityCardAllDigits", "440301199001011234", {}},
        FindCase{"BankCard", "6222021234567890123", {}},
        FindCase{"LongRunThenNumber", "6222021234567890123 13800138000", {"13800138000"}},
        FindCase{"NumberThenLongRun", "13800138000-6222021234567890123", {"13800138000"}},
        FindCase{"TwoNumbersJoined", "1380013800013900139000", {}},
        FindCase{"LandlineTooShort", "010-1234567", {}},
        FindCase{"NoAreaCodeBeginsZeroOneButTen", "01312345678", {}},
        FindCase{"NoAreaCodeBeginsOneButTenAbroad", "+86 139 0086 139", {}},
        FindCase{"ThreeDigitCodeTooLong", "021-123456789", {}},
        FindCase{"FourDigitCodeTooLong", "0755-123456789", {}},
        FindCase{"ServiceNumberTooLong", "40012360241", {}},
        FindCase{"ServiceNumbersShort", "10086 95588 12306", {}},
        FindCase{"Postcode", "邮编518000", {}},
        FindCase{"Amount", "金额 1,380.00 元", {}},
        FindCase{"Date", "2023-10-01 12:30", {}},
        FindCase{"RoundedByExcel", "1.38001E+10", {}},
        FindCase{"EighteenDigitsInGroups", "4403 0119 9001 0112 34", {}}));
// clang-format on

}  // namespace
}  // namespace zelvane
