#include "ops/area_split.h"

#include <string_view>
#include <unordered_map>

#include "ops/safe_file_name.h"

namespace zelvane {

namespace {

std::string AreaName(const AreaTable& table, AreaTable::AreaId area, AreaLevel level) {
  const std::string_view province = table.Province(area);
  const std::string_view city = table.City(area);
  if (level == AreaLevel::Province || city.empty() || city == province) return std::string(province);
  return std::string(province) + "-" + std::string(city);
}

}  // namespace

AreaSplit::AreaSplit(const AreaTable& table, AreaLevel level, bool byCarrier)
    : table_(&table), stride_(byCarrier ? kCategoryCount : 1), groupOfArea_(table.AreaCount() + 1) {
  std::unordered_map<std::string, std::size_t> groupOfName;
  std::vector<std::string> groups;
  const auto add = [&](AreaTable::AreaId area) {
    std::string name = SafeFileName(AreaName(table, area, level));
    const auto [found, added] = groupOfName.emplace(FoldedCase(name), groups.size());
    if (added) groups.push_back(std::move(name));
    groupOfArea_[area] = found->second;
  };
  for (std::size_t area = 1; area < groupOfArea_.size(); ++area) add(static_cast<AreaTable::AreaId>(area));
  add(AreaTable::kUnknown);
  for (const std::string& group : groups) {
    if (!byCarrier) {
      names_.push_back(group + ".txt");
      continue;
    }
    for (NumberCategory category : kAllCategories) {
      names_.push_back(group + "-" + std::string(CategoryLabel(category)) + ".txt");
    }
  }
}

}  // namespace zelvane
