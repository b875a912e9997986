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

}  // namespace zelvane
