#pragma once

#include <cstddef>

namespace zelvane {

// Large buffers live in transparent huge pages where the system offers them: touching fresh memory
// costs a page fault per page, and for the hundreds of megabytes an import fills, 4 KiB pages
// would cost more time than the work done in them.
inline constexpr std::size_t kHugePageSize = std::size_t{2} << 20;

// At least bytes of memory aligned to alignment (a power of two, at most a huge page); from a huge
// page on, aligned to and rounded up to huge pages. Free it with FreeMemory. Throws std::bad_alloc.
void* AllocateMemory(std::size_t bytes, std::size_t alignment = 64);
void FreeMemory(void* memory);

// Frees with FreeMemory, for std::unique_ptr.
struct FreeMemoryDeleter {
  void operator()(void* memory) const { FreeMemory(memory); }
};

// Faults in the pages of [memory, memory + bytes) ready for writing, leaving what they hold as it
// is, so that the writes that follow need not stop for page faults. Only advice: where the system
// cannot, the writes fault the pages in themselves.
void FaultInForWriting(void* memory, std::size_t bytes);

}  // namespace zelvane
