#include <malloc.h>

#include <cstdint>
#include <new>

#include "core/aligned_memory.h"

namespace zelvane {

void* AllocateMemory(std::size_t bytes, std::size_t alignment) {
  if (bytes > SIZE_MAX - alignment) throw std::bad_alloc();
  const std::size_t rounded = (bytes + alignment - 1) / alignment * alignment;
  void* memory = _aligned_malloc(rounded == 0 ? alignment : rounded, alignment);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void FreeMemory(void* memory) { _aligned_free(memory); }

// Windows has no such advice: the writes fault the pages in themselves.
void FaultInForWriting(void*, std::size_t) {}

}  // namespace zelvane
