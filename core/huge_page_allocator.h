#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#include "core/aligned_memory.h"

namespace zelvane {

// An allocator that puts buffers of a huge page or more in huge pages, such as the list view's
// references: tens of megabytes at ten million numbers.
template <class T>
class HugePageAllocator {
 public:
  using value_type = T;

  HugePageAllocator() = default;
  template <class U>
  HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    if (count > kMaxBytes / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateMemory(count * sizeof(T), alignof(T) > 64 ? alignof(T) : 64));
  }

  void deallocate(T* memory, std::size_t) noexcept { FreeMemory(memory); }

  friend bool operator==(const HugePageAllocator&, const HugePageAllocator&) { return true; }

 private:
  static constexpr std::size_t kMaxBytes = std::size_t{1} << 62;
};

}  // namespace zelvane
