#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/area_table.h"
#include "core/category_lists.h"
#include "core/work_progress.h"

namespace zelvane {

// Which home areas the list shows: all, one province (each of its cities), or one area (a city, or
// kUnknown for the numbers without one).
struct AreaChoice {
  enum class Kind { All, Province, Area };
  Kind kind = Kind::All;
  std::size_t value = 0;  // the province's index, or the area's id

  friend bool operator==(const AreaChoice&, const AreaChoice&) = default;
};

// The home area of every number of the category lists, two bytes a number, kept beside the lists:
// looked up as numbers are appended, taken back with them.
class NumberAreas {
 public:
  using AreaId = AreaTable::AreaId;

  explicit NumberAreas(const AreaTable& table);

  const AreaTable& Table() const { return *m_table; }

  // Follows the lists: looks up the numbers appended since the last call, forgets those taken back.
  // The lists must only have grown or shrunk at their ends since. Progress counts the numbers looked
  // up; once it asks to stop, some are left unlooked-up and the object is only fit to be thrown away.
  void Follow(const CategoryLists& lists, WorkProgress* progress = nullptr);

  AreaId Of(NumberCategory category, std::uint64_t index) const { return m_ids[CategoryIndex(category)][index]; }
  bool Admits(const AreaChoice& choice, NumberCategory category, std::uint64_t index) const {
    if (choice.kind == AreaChoice::Kind::All) return true;
    const AreaId id = Of(category, index);
    return choice.kind == AreaChoice::Kind::Area ? id == choice.value : m_provinceOf[id] == choice.value;
  }

  // The provinces of the table ("未知地区" is not one), and the province of each area.
  const std::vector<std::string_view>& Provinces() const { return m_provinces; }
  std::size_t ProvinceOf(AreaId id) const { return m_provinceOf[id]; }
  // How many numbers each area holds, by area id.
  std::vector<std::uint64_t> Counts() const;

 private:
  static constexpr std::size_t kNoProvince = SIZE_MAX;
  static constexpr std::size_t kHelpedLookups = std::size_t{1} << 18;
  static constexpr std::size_t kLookupStep = std::size_t{1} << 16;  // between looks at progress

  const AreaTable* m_table;
  std::vector<std::string_view> m_provinces;
  std::vector<std::size_t> m_provinceOf;  // by area id; kNoProvince for kUnknown
  std::array<std::vector<AreaId>, kCategoryCount> m_ids;
};

// An area as the area choice lists it: "广东省 (1,234)", the cities of the chosen province indented.
struct AreaEntry {
  std::string label;
  AreaChoice choice;
};

// The area choice's entries: "全部地区", the provinces by count (largest first, only those with numbers),
// the chosen province's cities after it, then "未知地区".
std::vector<AreaEntry> AreaEntries(const NumberAreas& areas, const AreaChoice& chosen);

}  // namespace zelvane
