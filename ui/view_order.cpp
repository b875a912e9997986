#include "ui/view_order.h"

#include <algorithm>
#include <cstdint>
#include <exception>

namespace zelvane {

void AppendRefs(ItemSource source, std::size_t count, ItemRefs& refs) {
  refs.reserve(refs.size() + count);
  for (std::size_t index = 0; index < count; ++index) refs.emplace_back(source, index);
}

void AppendCategoryRefs(const CategoryLists& lists, NumberCategory category, ItemRefs& refs) {
  AppendRefs(SourceOf(category), lists[category].size(), refs);
}

namespace {

// At most this many references are faulted in ahead.
constexpr std::size_t kMostPrepared = std::size_t{32} << 20;

}  // namespace

std::future<ItemRefs> PrepareImportRefs(std::size_t shown, std::uint64_t fileBytes, const ViewSpeedups& speedups) {
  if (!speedups.prepareRefs) return std::async(std::launch::deferred, [] { return ItemRefs(); });
  const std::size_t capacity = shown + static_cast<std::size_t>(ExpectedNumbers(fileBytes));
  return std::async(std::launch::async | std::launch::deferred, [capacity] {
    ItemRefs refs;
    try {
      refs.reserve(capacity);
    } catch (const std::exception&) {
      return refs;  // the merge asks for what it needs itself
    }
    FaultInForWriting(refs.data(), std::min(capacity, kMostPrepared) * sizeof(ItemRef));
    return refs;
  });
}

// Inserted one by one, the k-th admitted number (ordinal i) lands at min(i, shown + k): it never
// moves again, since every later insertion lands behind it. So the new numbers take those
// positions and the old ones fill the gaps in their order.
ItemRefs MergeImported(std::span<const ItemRef> shown, std::span<const NumberCategory> imported,
                       const CategoryCounts& countsBefore, const CategoryFilter& admitted, ItemRefs storage) {
  std::size_t admittedCount = 0;
  for (NumberCategory category : imported) admittedCount += admitted[CategoryIndex(category)] ? 1 : 0;

  ItemRefs merged = std::move(storage);
  merged.clear();
  merged.reserve(shown.size() + admittedCount);
  CategoryCounts next = countsBefore;
  auto old = shown.begin();
  std::size_t inserted = 0;
  for (std::size_t ordinal = 0; ordinal < imported.size(); ++ordinal) {
    const NumberCategory category = imported[ordinal];
    const std::uint64_t index = next[CategoryIndex(category)]++;
    if (!admitted[CategoryIndex(category)]) continue;
    const std::size_t position = std::min(ordinal, shown.size() + inserted);
    while (merged.size() < position) merged.push_back(*old++);
    merged.emplace_back(SourceOf(category), index);
    ++inserted;
  }
  merged.insert(merged.end(), old, shown.end());
  // Room prepared for more numbers than came goes back to the system.
  ReleasePages(merged.data() + merged.size(), (merged.capacity() - merged.size()) * sizeof(ItemRef));
  return merged;
}

}  // namespace zelvane
