#pragma once

#include <cstddef>

namespace zelvane {

// The size of the lists' blocks and of the comparison's slabs.
inline constexpr std::size_t kLargeBlockSize = std::size_t{2} << 20;

// At least bytes of memory aligned to alignment (a power of two), in the system's ordinary pages. No
// huge pages are asked for: a virtual machine that hands free memory back to its host serves a huge
// page from memory the host must clear again, which made a ten-million-number import three times
// slower and a comparison 1.6 times after a few idle seconds. Free it with FreeMemory. Throws
// std::bad_alloc.
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
