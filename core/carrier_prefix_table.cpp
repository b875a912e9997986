#include "core/carrier_prefix_table.h"

#include "core/carrier_prefixes.h"

namespace zelvane {

CarrierPrefixTable BuildCarrierPrefixTable() {
  CarrierPrefixTable table;
  table.fill(NumberCategory::Other);
  for (int prefix = carrier_prefixes::kAreaCodeFirst; prefix <= carrier_prefixes::kAreaCodeLast; ++prefix) {
    table[static_cast<std::size_t>(prefix)] = NumberCategory::Phs;
  }
  const auto assign = [&table](const auto& prefixes, NumberCategory category) {
    for (int prefix : prefixes) table[static_cast<std::size_t>(prefix)] = category;
  };
  assign(carrier_prefixes::kMobile, NumberCategory::Mobile);
  assign(carrier_prefixes::kUnicom, NumberCategory::Unicom);
  assign(carrier_prefixes::kTelecom, NumberCategory::Telecom);
  return table;
}

const CarrierPrefixTable& GlobalCarrierPrefixTable() {
  static const CarrierPrefixTable table = BuildCarrierPrefixTable();
  return table;
}

std::string_view NormalizeNumber(std::string_view token) {
  if (token.starts_with("+86")) return token.substr(3);
  if (token.starts_with("86")) return token.substr(2);
  if (token.starts_with("01") && !token.starts_with("010")) return token.substr(1);
  return token;
}

int PrefixValue(std::string_view number) {
  const std::string_view head = number.substr(0, 3);
  std::size_t i = 0;
  // atoi skips white space; inside a token only tab, vertical tab and form feed can occur.
  while (i < head.size() && (head[i] == ' ' || (head[i] >= '\t' && head[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < head.size() && (head[i] == '+' || head[i] == '-')) negative = head[i++] == '-';
  int value = 0;
  for (; i < head.size() && head[i] >= '0' && head[i] <= '9'; ++i) value = value * 10 + (head[i] - '0');
  return negative ? -value : value;
}

NumberCategory ClassifyNumber(std::string_view number, const CarrierPrefixTable& table) {
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
