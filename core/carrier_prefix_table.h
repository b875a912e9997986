#pragma once

#include <array>
#include <string_view>

#include "core/carrier_prefixes.h"
#include "core/number_category.h"

namespace zelvane {

// Maps a three-digit prefix value (0..999) to its category.
using CarrierPrefixTable = std::array<NumberCategory, 1000>;

// Values 0..9 stand for no carrier: they are Other, like every prefix outside the carriers' lists.
CarrierPrefixTable BuildCarrierPrefixTable();

// The program's one table, built on first use.
const CarrierPrefixTable& GlobalCarrierPrefixTable();

// The three below are inline: they run once for every number of a file.

// Strips "+86", else "86", else the 0 of "01…" (but not of "010…"). The result views the input.
inline std::string_view NormalizeNumber(std::string_view token) {
  if (token.starts_with("+86")) return token.substr(3);
  if (token.starts_with("86")) return token.substr(2);
  if (token.starts_with("01") && !token.starts_with("010")) return token.substr(1);
  return token;
}

// The value that the first three bytes of a number read as (C's atoi rules); in -99..999.
inline int PrefixValue(std::string_view number) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (number.size() >= 3 && digit(number[0]) && digit(number[1]) && digit(number[2])) {
    return (number[0] - '0') * 100 + (number[1] - '0') * 10 + (number[2] - '0');
  }
  const std::string_view head = number.substr(0, 3);
  std::size_t i = 0;
  // atoi skips white space; inside a token only tab, vertical tab and form feed can occur.
  while (i < head.size() && (head[i] == ' ' || (head[i] >= '\t' && head[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < head.size() && (head[i] == '+' || head[i] == '-')) negative = head[i++] == '-';
  int value = 0;
  for (; i < head.size() && digit(head[i]); ++i) value = value * 10 + (head[i] - '0');
  return negative ? -value : value;
}

// The category of a normalised number: its prefix value through the table, then the length rule.
inline NumberCategory ClassifyNumber(std::string_view number,
                                     const CarrierPrefixTable& table = GlobalCarrierPrefixTable()) {
  const int prefix = PrefixValue(number);
  // Prefix values below 10 (negative ones included) belong to no carrier and no area code.
  if (prefix < carrier_prefixes::kAreaCodeFirst) return NumberCategory::Other;
  const NumberCategory category = table[static_cast<std::size_t>(prefix)];
  if (category == NumberCategory::Phs) {
    // A fixed-wireless number carries a real area code, which begins with 0.
    return number.starts_with('0') ? NumberCategory::Phs : NumberCategory::Other;
  }
  if (number.size() != static_cast<std::size_t>(carrier_prefixes::kCarrierNumberLength)) return NumberCategory::Other;
  return category;
}

}  // namespace zelvane
