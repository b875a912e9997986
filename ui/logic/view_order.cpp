#include "ui/logic/view_order.h"

#include <algorithm>
#include <cstdint>

namespace zelvane {

void AppendRefs(ItemSource source, std::size_t count, ItemRefs& refs) {
  refs.reserve(refs.size() + count);
  for (std::size_t index = 0; index < count; ++index) refs.emplace_back(source, index);
}

void AppendCategoryRefs(const CategoryLists& lists, NumberCategory category, ItemRefs& refs) {
  AppendRefs(SourceOf(category), lists[category].size(), refs);
}

// Inserted one by one, the k-th admitted number (ordinal i) lands at min(i, shown + k): it never
// moves again, since every later insertion lands behind it. So the new numbers take those
// positions and the old ones fill the gaps in their order.
ItemRefs MergeImported(std::span<const ItemRef> shown, std::span<const NumberCategory> imported,
                       const CategoryCounts& countsBefore, const CategoryFilter& admitted, const NumberAreas* areas,
                       const AreaChoice& choice) {
  const bool byArea = areas != nullptr && choice.kind != AreaChoice::Kind::All;
  std::size_t admittedCount = 0;
  for (NumberCategory category : imported) admittedCount += admitted[CategoryIndex(category)] ? 1 : 0;

  ItemRefs merged;
  merged.reserve(shown.size() + admittedCount);
  CategoryCounts next = countsBefore;
  auto old = shown.begin();
  std::size_t inserted = 0;
  for (std::size_t ordinal = 0; ordinal < imported.size(); ++ordinal) {
    const NumberCategory category = imported[ordinal];
    const std::uint64_t index = next[CategoryIndex(category)]++;
    if (!admitted[CategoryIndex(category)] || (byArea && !areas->Admits(choice, category, index))) continue;
    const std::size_t position = std::min(ordinal, shown.size() + inserted);
    while (merged.size() < position) merged.push_back(*old++);
    merged.emplace_back(SourceOf(category), index);
    ++inserted;
  }
  merged.insert(merged.end(), old, shown.end());
  return merged;
}

}  // namespace zelvane
