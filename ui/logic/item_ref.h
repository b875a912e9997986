#pragma once

#include <cstdint>
#include <vector>

#include "core/number_category.h"

namespace zelvane {

// Where a shown number lives. The five category lists are the sources 0 to 4, in category order;
// the result of the last number comparison is the sixth.
enum class ItemSource : std::uint8_t { Mobile, Unicom, Telecom, Phs, Other, Comparison };

inline constexpr std::size_t kItemSourceCount = 6;

constexpr ItemSource SourceOf(NumberCategory category) { return static_cast<ItemSource>(category); }

// A shown number: its source and its index there, in eight bytes, since the list view may show
// tens of millions of them.
class ItemRef {
 public:
  ItemRef() = default;
  ItemRef(ItemSource source, std::uint64_t index) : bits_(static_cast<std::uint64_t>(source) << kIndexBits | index) {}

  ItemSource source() const { return static_cast<ItemSource>(bits_ >> kIndexBits); }
  std::uint64_t index() const { return bits_ & kIndexMask; }

  friend bool operator==(ItemRef, ItemRef) = default;

 private:
  static constexpr int kIndexBits = 56;
  static constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kIndexBits) - 1;

  std::uint64_t bits_ = 0;
};

// The contents of the list view.
using ItemRefs = std::vector<ItemRef>;

}  // namespace zelvane
