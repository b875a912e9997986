#pragma once

#include <cstdint>

#include "core/number_category.h"

namespace zelvane {

// The chart's bar of each category, in category order, as 0xRRGGBB.
inline constexpr std::uint32_t kCategoryColors[kCategoryCount] = {0x2e7d32, 0xc62828, 0x1565c0, 0xef8f00, 0x757575};

}  // namespace zelvane
