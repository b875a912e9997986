#include "core/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace zelvane {

void* AllocateHugePages(std::size_t bytes) {
  if (bytes > SIZE_MAX - kHugePageSize) throw std::bad_alloc();
  const std::size_t rounded = (bytes + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
  void* memory = std::aligned_alloc(kHugePageSize, rounded);
  if (memory == nullptr) throw std::bad_alloc();
  ::madvise(memory, rounded, MADV_HUGEPAGE);  // only advice: without huge pages it still works
  return memory;
}

void FaultInForWriting(void* memory, std::size_t bytes) { ::madvise(memory, bytes, MADV_POPULATE_WRITE); }

}  // namespace zelvane
