#pragma once

#include <sys/mman.h>

#include <cstddef>
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

}  // namespace zelvane
