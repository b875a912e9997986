// The one rule for UTF-16 text on every system, and the separators' GBK.

#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/number_scanner.h"

namespace zelvane {
namespace {

// UTF-16 code units as bytes in either order.
std::string Units(std::initializer_list<unsigned> units, bool littleEndian) {
  std::string bytes;
  for (unsigned unit : units) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += littleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

// Each character the target lacks is one "?", whatever it looks like and however the text is cut.
TEST(Utf16Converter, OneQuestionMarkForEachCharacterTheTargetLacks) {
  using Target = Utf16Converter::Target;
  struct Case {
    const char* name;
    std::initializer_list<unsigned> units;
    std::string extra;  // bytes after the units
    Target target;
    std::string expected;
  };
  const std::string digits = "1391234567890";
  const std::initializer_list<unsigned> digitUnits = {'1', '3', '9', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0'};
  std::vector<unsigned> longToken(digitUnits);
  longToken.push_back(0x3339);  // "㌹", which transliteration made into three characters
  longToken.insert(longToken.end(), digitUnits);
  const Case cases[] = {
      {"in GBK",
       {0x53F7, '1'},
       "",
       Target::Gbk,
       "\xBA\xC5"
       "1"},
      {"not in GBK", {0x3339}, "", Target::Gbk, "?"},
      {"a surrogate pair", {0xD83D, 0xDE00, '1'}, "", Target::Gbk, "?1"},
      {"a lone high surrogate", {0xD83D, '1'}, "", Target::Gbk, "?1"},
      {"a lone low surrogate, a high one at the end", {0xDE00, 0xD83D}, "", Target::Gbk, "??"},
      {"a dangling byte", {'1'}, "1", Target::Gbk, "1?"},
      {"to UTF-8", {0x3339, 0xD83D, 0xDE00}, "", Target::Utf8, "\xE3\x8C\xB9\xF0\x9F\x98\x80"},
      {"to UTF-8, a lone surrogate", {'1', 0xDE00, '2'}, "", Target::Utf8, "1?2"},
  };
  for (const Case& c : cases) {
    for (const bool littleEndian : {true, false}) {
      const std::string bytes = Units(c.units, littleEndian) + c.extra;
      for (std::size_t piece = 1; piece <= 5; ++piece) {
        Utf16Converter converter(
            littleEndian ? Utf16Converter::ByteOrder::LittleEndian : Utf16Converter::ByteOrder::BigEndian, c.target);
        std::string out;
        for (std::size_t at = 0; at < bytes.size(); at += piece) converter.Convert(bytes.substr(at, piece), out);
        converter.Finish(out);
        EXPECT_EQ(out, c.expected) << c.name << (littleEndian ? ", LE" : ", BE") << ", pieces of " << piece;
      }
    }
  }
  // A 27-character token with such a character in it stays a number of 27 bytes.
  std::string bytes;
  for (unsigned unit : longToken) bytes += Units({unit}, true);
  Utf16Converter converter(Utf16Converter::ByteOrder::LittleEndian);
  std::string text;
  ASSERT_TRUE(converter.Convert(bytes, text));
  converter.Finish(text);
  std::vector<std::string> tokens;
  ScanNumbers(text, [&tokens](std::string_view token) { tokens.emplace_back(token); });
  EXPECT_EQ(tokens, std::vector<std::string>{digits + "?" + digits});
}

// What the user types, as GBK: characters GBK holds, and nothing for one it lacks.
TEST(EncodeGbk, TakesWhatGbkHoldsOnly) {
  EXPECT_EQ(EncodeGbk("\\r\\n"), "\\r\\n");
  EXPECT_EQ(EncodeGbk("，"), "\xA3\xAC");
  EXPECT_EQ(EncodeGbk("号码"), "\xBA\xC5\xC2\xEB");
  EXPECT_EQ(EncodeGbk("\xF0\x9F\x98\x80"), std::nullopt);
  EXPECT_EQ(EncodeGbk("\xE3\x8C\xB9"), std::nullopt) << "no look-alike for ㌹";
}

}  // namespace
}  // namespace zelvane
