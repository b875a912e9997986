#include "core/work_progress.h"

#include <algorithm>
#include <limits>

namespace zelvane {

FileError CancelledError(FileOperation operation, const std::filesystem::path& path) {
  return FileError{operation, path, "已取消", true};
}

std::uint64_t ShareOf(std::uint64_t done, std::uint64_t total, std::uint64_t whole) {
  if (total == 0) return 0;
  done = std::min(done, total);
  // Coarser counts for totals so large that done * whole would overflow.
  while (total > std::numeric_limits<std::uint64_t>::max() / whole) {
    total >>= 10;
    done >>= 10;
  }
  return done * whole / total;
}

int SharedProgress::Permille() const {
  return static_cast<int>(
      ShareOf(done_.load(std::memory_order_relaxed), total_.load(std::memory_order_relaxed), 1000));
}

}  // namespace zelvane
