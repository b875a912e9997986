#include "ui/logic/number_areas.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>
#include <system_error>
#include <thread>

#include "core/count_text.h"

namespace zelvane {

NumberAreas::NumberAreas(const AreaTable& table) : m_table(&table), m_provinceOf(table.AreaCount() + 1, kNoProvince) {
  std::map<std::string_view, std::size_t> index;
  for (AreaId id = 1; id <= table.AreaCount(); ++id) {
    const auto [place, added] = index.try_emplace(table.Province(id), m_provinces.size());
    if (added) m_provinces.push_back(table.Province(id));
    m_provinceOf[id] = place->second;
  }
}

void NumberAreas::Follow(const CategoryLists& lists, WorkProgress* progress) {
  // The numbers appended since, by category: from, to.
  std::array<std::pair<std::size_t, std::size_t>, kCategoryCount> appended{};
  std::size_t count = 0;
  for (NumberCategory category : kAllCategories) {
    std::vector<AreaId>& ids = m_ids[CategoryIndex(category)];
    const std::size_t size = lists[category].size();
    appended[CategoryIndex(category)] = {std::min(ids.size(), size), size};
    count += size - std::min(ids.size(), size);
    ids.resize(size);
  }
  if (progress) progress->SetTotal(count);
  // Both halves look at the stop; one thread reports, each number it looked up counting weight.
  const auto lookUp = [&](bool firstHalves, WorkProgress* reporting, std::uint64_t weight) {
    for (NumberCategory category : kAllCategories) {
      const auto [from, to] = appended[CategoryIndex(category)];
      const std::size_t middle = from + (to - from) / 2;
      const NumberList& numbers = lists[category];
      std::vector<AreaId>& ids = m_ids[CategoryIndex(category)];
      for (std::size_t step = firstHalves ? from : middle; step < (firstHalves ? middle : to); step += kLookupStep) {
        if (progress && progress->StopRequested()) return;
        const std::size_t end = std::min(step + kLookupStep, firstHalves ? middle : to);
        for (std::size_t i = step; i < end; ++i) ids[i] = m_table->Lookup(numbers[i]);
        if (reporting) reporting->Advance(weight * (end - step));
      }
    }
  };
  // After an import the second core is idle: it looks up half of a large one (a tenth of the import's time).
  std::optional<std::jthread> helper;
  if (count >= kHelpedLookups) {
    try {
      helper.emplace(lookUp, true, nullptr, 0);
    } catch (const std::system_error&) {
    }
  }
  if (!helper) lookUp(true, progress, 1);
  lookUp(false, progress, helper ? 2 : 1);  // the helper's half goes at about the same pace
}

std::vector<std::uint64_t> NumberAreas::Counts() const {
  std::vector<std::uint64_t> counts(m_provinceOf.size(), 0);
  for (const std::vector<AreaId>& ids : m_ids) {
    for (const AreaId id : ids) ++counts[id];
  }
  return counts;
}

namespace {

// Indices ordered by count, largest first; ties in table order.
std::vector<std::size_t> ByCount(const std::vector<std::uint64_t>& counts) {
  std::vector<std::size_t> order(counts.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return counts[a] > counts[b]; });
  return order;
}

}  // namespace

std::vector<AreaEntry> AreaEntries(const NumberAreas& areas, const AreaChoice& chosen) {
  const std::vector<std::uint64_t> areaCounts = areas.Counts();
  std::vector<std::uint64_t> provinceCounts(areas.Provinces().size(), 0);
  for (std::size_t id = 1; id < areaCounts.size(); ++id) {
    provinceCounts[areas.ProvinceOf(static_cast<NumberAreas::AreaId>(id))] += areaCounts[id];
  }
  const std::size_t open = chosen.kind == AreaChoice::Kind::Province ? chosen.value
                           : chosen.kind == AreaChoice::Kind::Area && chosen.value != AreaTable::kUnknown
                               ? areas.ProvinceOf(static_cast<NumberAreas::AreaId>(chosen.value))
                               : SIZE_MAX;
  std::vector<AreaEntry> entries{{"全部地区", {}}};
  for (const std::size_t province : ByCount(provinceCounts)) {
    if (provinceCounts[province] == 0) break;
    entries.push_back({std::string(areas.Provinces()[province]) + " (" +
                           CountText(provinceCounts[province], CountForm::Grouped) + ")",
                       {AreaChoice::Kind::Province, province}});
    if (province != open) continue;
    for (const std::size_t id : ByCount(areaCounts)) {
      const auto area = static_cast<NumberAreas::AreaId>(id);
      if (areaCounts[id] == 0) break;
      if (id == AreaTable::kUnknown || areas.ProvinceOf(area) != province) continue;
      entries.push_back(
          {"　" + std::string(areas.Table().City(area)) + " (" + CountText(areaCounts[id], CountForm::Grouped) + ")",
           {AreaChoice::Kind::Area, id}});
    }
  }
  entries.push_back({"未知地区 (" + CountText(areaCounts[AreaTable::kUnknown], CountForm::Grouped) + ")",
                     {AreaChoice::Kind::Area, AreaTable::kUnknown}});
  return entries;
}

}  // namespace zelvane
