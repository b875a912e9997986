#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/area_table.h"
#include "core/number_category.h"

namespace zelvane {

// How far classify splits numbers by their home area.
enum class AreaLevel : std::uint8_t { Province, City };

// The files that numbers split by home area (and carrier) go to, numbered in the table's order of areas
// with 未知地区 last, each area's carriers in category order. Names are UTF-8:
//   province: "广东省.txt"; city: "广东省-深圳市.txt", or "北京市.txt" where the city is the province;
//   with carrier: "广东省-移动.txt", "广东省-深圳市-移动.txt"; no known area: "未知地区.txt" ("未知地区-移动.txt").
// Each name is made safe (SafeFileName: none leaves the folder); areas whose names then match, ignoring
// ASCII case, share a file.
class AreaSplit {
 public:
  AreaSplit(const AreaTable& table, AreaLevel level, bool byCarrier);

  std::size_t FileOf(AreaTable::AreaId area, NumberCategory category) const {
    return groupOfArea_[area] * stride_ + (stride_ == 1 ? 0 : CategoryIndex(category));
  }
  std::size_t FileCount() const { return names_.size(); }
  const std::string& FileName(std::size_t file) const { return names_[file]; }
  const AreaTable& table() const { return *table_; }

 private:
  const AreaTable* table_;
  std::size_t stride_;
  std::vector<std::size_t> groupOfArea_;  // by AreaId
  std::vector<std::string> names_;
};

}  // namespace zelvane
