#pragma once

#include <array>
#include <span>

#include "core/category_lists.h"
#include "ui/logic/item_ref.h"
#include "ui/logic/number_areas.h"

namespace zelvane {

// Which categories the check boxes let into the list view.
using CategoryFilter = std::array<bool, kCategoryCount>;

// Appends references to the numbers 0 to count - 1 of source, in order.
void AppendRefs(ItemSource source, std::size_t count, ItemRefs& refs);
// Appends a reference to every number of the category, in list order.
void AppendCategoryRefs(const CategoryLists& lists, NumberCategory category, ItemRefs& refs);

// The list view after an import. imported holds the category of each number of the import in file
// order; their lists held countsBefore numbers before it. The number with ordinal i that the filter
// admits goes to index i, or to the end while the view is shorter, exactly as if each were inserted
// there one after another; computed in one pass. With areas, only the numbers of the chosen area count.
ItemRefs MergeImported(std::span<const ItemRef> shown, std::span<const NumberCategory> imported,
                       const CategoryCounts& countsBefore, const CategoryFilter& admitted,
                       const NumberAreas* areas = nullptr, const AreaChoice& choice = {});

}  // namespace zelvane
