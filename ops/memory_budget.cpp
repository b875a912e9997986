#include "ops/memory_budget.h"

#include <algorithm>

#include "core/platform/memory_left.h"

namespace zelvane {

std::uint64_t MemoryBudgetFor(std::uint64_t left) {
  // A process already at its limit still gets a comparison that spills nearly everything.
  constexpr std::uint64_t kLeast = std::uint64_t{16} << 20;
  if (left == 0) return std::uint64_t{1} << 30;
  return std::max(left / 4 * 3, kLeast);
}

std::uint64_t DefaultMemoryBudget() { return MemoryBudgetFor(MemoryLeft()); }

std::filesystem::path DefaultTemporaryFolder() { return SystemTemporaryFolder(); }

}  // namespace zelvane
