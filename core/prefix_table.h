#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/area_code.h"
#include "core/file_error.h"
#include "core/number_category.h"
#include "core/table_text.h"

namespace zelvane {

// Decides a normalised number's category. A number that begins with 0 and an area code (010 to 099)
// is 小灵通. Any other number of exactly 11 bytes takes the category of the longest rule of the table
// that its text begins with, and 其他 when none does; numbers of other lengths are 其他.
//
// A table is text, one rule a line: a prefix of 1 to 7 digits, blanks or a tab, and a category
// label (移动 联通 电信 小灵通 其他). Blank lines and lines that begin with "#" say nothing.
class PrefixTable {
 public:
  static constexpr std::size_t kMaxRules = 100000;
  static constexpr std::size_t kMaxPrefixLength = 7;

  struct Rule {
    std::string prefix;
    NumberCategory category;
  };

  // Why a table's text was refused: the line (from 1) and what is wrong with it.
  using ParseError = TableLineError;

  // The allocation of about 2009: three-digit prefixes, the default.
  static const PrefixTable& Original();
  // Today's allocation: three- to five-digit prefixes.
  static const PrefixTable& Current();

  // The table that text describes, or nothing with error filled in.
  static std::optional<PrefixTable> Parse(std::string_view text, ParseError& error);

  NumberCategory Classify(std::string_view number) const {
    const auto digit = [&number](std::size_t i) { return static_cast<unsigned>(number[i] - '0'); };
    if (BeginsWithAreaCode(number)) return NumberCategory::Phs;
    if (number.size() != kCarrierNumberLength) return NumberCategory::Other;
    if (digit(0) < 10 && digit(1) < 10 && digit(2) < 10) {
      const Entry& entry = firstThree_[digit(0) * 100 + digit(1) * 10 + digit(2)];
      return entry.node < 0 ? entry.category : LongestMatch(number, 3, entry.node, entry.category);
    }
    return LongestMatch(number, 0, kRoot, NumberCategory::Other);
  }

  // The rules in prefix order, and the text the table was made from.
  const std::vector<Rule>& Rules() const { return rules_; }
  const std::string& Text() const { return text_; }

 private:
  static constexpr std::size_t kCarrierNumberLength = 11;
  static constexpr std::int32_t kRoot = 0;

  // A digit tree: the category of the rule that ends at a node, if any, and the nodes one digit on.
  struct Node {
    std::array<std::int32_t, 10> next;
    std::int8_t category;  // -1: no rule ends here
  };
  // For the three digits a number begins with: the best category so far, and the node to go on from.
  struct Entry {
    NumberCategory category = NumberCategory::Other;
    std::int32_t node = -1;  // -1: no longer rule begins with these digits
  };

  PrefixTable() = default;
  void Build();
  std::int32_t AddNode();
  NumberCategory LongestMatch(std::string_view number, std::size_t from, std::int32_t node, NumberCategory best) const;

  std::string text_;
  std::vector<Rule> rules_;
  std::vector<Node> nodes_;
  std::array<Entry, 1000> firstThree_{};
};

// Reads and parses a table file (at most 16 MiB); on failure error says which file and what is wrong.
std::optional<PrefixTable> LoadPrefixTable(const std::filesystem::path& path, TableLoadError& error);

}  // namespace zelvane
