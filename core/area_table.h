#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/area_code.h"
#include "core/file_error.h"
#include "core/table_text.h"

namespace zelvane {

// The home area (归属地) of a normalised number: a mobile number of 11 digits by its first 3 to 7
// digits, a number that begins with 0 (landline, 小灵通) by its area code, the longest rule first.
//
// A table is text, one rule a line: a prefix (3 to 7 digits beginning with 1, or an area code with its
// 0: 010, 0755), blanks or a tab, the province, blanks or a tab, the city. Blank lines and lines that
// begin with "#" say nothing.
class AreaTable {
 public:
  using AreaId = std::uint16_t;
  static constexpr AreaId kUnknown = 0;  // "未知地区"
  static constexpr std::size_t kMaxAreas = 65535;

  using ParseError = TableLineError;

  // core/area_tables/builtin.txt, compiled in; made on first use.
  static const AreaTable& BuiltIn();

  // The table that text describes, or nothing with error filled in.
  static std::optional<AreaTable> Parse(std::string_view text, ParseError& error);

  AreaId Lookup(std::string_view number) const {
    const auto digit = [&number](std::size_t i) { return static_cast<unsigned>(number[i] - '0'); };
    if (number.size() == kMobileLength && number[0] == '1') {
      unsigned block = 0;
      for (std::size_t i = 1; i < kMobileBlockDigits; ++i) {
        if (digit(i) >= 10) return kUnknown;
        block = block * 10 + digit(i);
      }
      return mobile_[block];
    }
    if (!BeginsWithAreaCode(number)) return kUnknown;
    const unsigned twoDigits = digit(1) * 10 + digit(2);
    if (number.size() >= 4 && digit(3) < 10) {
      if (const AreaId id = threeDigitCodes_[twoDigits * 10 + digit(3)]) return id;
    }
    return twoDigitCodes_[twoDigits];
  }

  // "江苏省" and "常州市" (a municipality is its own city); "未知地区" and "" for kUnknown.
  std::string_view Province(AreaId id) const;
  std::string_view City(AreaId id) const;
  // The area code (区号) the table's own landline rules give the area: "0755" for 深圳市, the code of a
  // rule naming several cities for each of them, "" when no rule names it (and for kUnknown).
  std::string_view AreaCode(AreaId id) const;
  std::size_t AreaCount() const { return areas_.size() - 1; }

  // The text the table was made from.
  const std::string& Text() const { return text_; }

 private:
  static constexpr std::size_t kMobileLength = 11;
  static constexpr std::size_t kMobileBlockDigits = 7;

  struct Area {
    std::string province;
    std::string city;
    std::string code;
  };

  AreaTable() = default;
  void NameAreaCodes(std::vector<std::pair<std::string_view, AreaId>> rules);

  std::string text_;
  std::vector<Area> areas_;
  std::vector<AreaId> mobile_;           // by the 6 digits after the leading 1: 1000000 to 1999999
  std::vector<AreaId> twoDigitCodes_;    // 010 to 099, by the two digits after the 0
  std::vector<AreaId> threeDigitCodes_;  // 0100 to 0999, by the three digits after the 0
};

// Reads and parses an area table file (UTF-8, or UTF-16; at most 64 MiB); on failure error says which file and
// what is wrong.
std::optional<AreaTable> LoadAreaTable(const std::filesystem::path& path, TableLoadError& error);

}  // namespace zelvane
