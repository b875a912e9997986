#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#include "core/aligned_memory.h"

namespace zelvane {

void* AllocateMemory(std::size_t bytes, std::size_t alignment) {
  if (bytes > SIZE_MAX - alignment) throw std::bad_alloc();
  const std::size_t rounded = (bytes + alignment - 1) / alignment * alignment;
  void* memory = std::aligned_alloc(alignment, rounded == 0 ? alignment : rounded);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void FreeMemory(void* memory) { std::free(memory); }

void FaultInForWriting(void* memory, std::size_t bytes) { ::madvise(memory, bytes, MADV_POPULATE_WRITE); }

}  // namespace zelvane
