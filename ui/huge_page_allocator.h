#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace zelvane {

// An allocator that puts large buffers in transparent huge pages where the system offers them.
// Touching fresh memory costs a page fault per page; for the tens of megabytes that a list of ten
// million references takes, 4 KiB pages would cost more time than the work done in them.
template <class T>
class HugePageAllocator {
 public:
  using value_type = T;

  HugePageAllocator() = default;
  template <class U>
  HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    if (count > kMaxBytes / sizeof(T)) throw std::bad_array_new_length();
    const std::size_t bytes = count * sizeof(T);
    if (bytes < kHugePageSize) return static_cast<T*>(::operator new(bytes));
    const std::size_t rounded = (bytes + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
    void* memory = std::aligned_alloc(kHugePageSize, rounded);
    if (memory == nullptr) throw std::bad_alloc();
    ::madvise(memory, rounded, MADV_HUGEPAGE);  // only advice: without huge pages it still works
    return static_cast<T*>(memory);
  }

  void deallocate(T* memory, std::size_t count) noexcept {
    if (count * sizeof(T) < kHugePageSize) {
      ::operator delete(memory);
    } else {
      std::free(memory);
    }
  }

  friend bool operator==(const HugePageAllocator&, const HugePageAllocator&) { return true; }

 private:
  static constexpr std::size_t kHugePageSize = std::size_t{2} << 20;
  static constexpr std::size_t kMaxBytes = std::size_t{1} << 62;
};

// Faults in the pages of [memory, memory + bytes) ready for writing, leaving what they hold as it
// is, so that the writes that follow need not stop for page faults. Only advice: where the system
// cannot, the writes fault the pages in themselves.
inline void FaultInForWriting(void* memory, std::size_t bytes) { ::madvise(memory, bytes, MADV_POPULATE_WRITE); }

// Gives the whole pages of [memory, memory + bytes) back to the system; they read as zero afterwards.
inline void ReleasePages(void* memory, std::size_t bytes) {
  constexpr std::uintptr_t kPageSize = 4096;
  const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(memory) + kPageSize - 1) & ~(kPageSize - 1);
  const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(memory) + bytes) & ~(kPageSize - 1);
  if (begin < end) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

}  // namespace zelvane
