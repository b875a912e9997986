#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace zelvane {

// Tells a number's first occurrence from its repeats. It remembers each distinct number by an id
// that the caller gives it and that resolve (std::string_view(std::uint64_t id)) turns back into
// the number's bytes, so the numbers stay where the caller keeps them. Resolve is only ever asked
// for the ids of numbers that earlier calls of Insert admitted, never for the one being inserted:
// the table grows before a number goes in, so the caller may keep the number after Insert returns.
// Callers that insert in a known order prefetch a few numbers ahead: the lookups then overlap their
// cache misses.
template <class Resolve>
class RepeatFilter {
  static constexpr int kIdBits = 40;
  static constexpr std::uint64_t kIdMask = (std::uint64_t{1} << kIdBits) - 1;

 public:
  explicit RepeatFilter(Resolve resolve, std::size_t expected = 0) : resolve_(std::move(resolve)) {
    Resize(std::bit_ceil(std::max<std::size_t>(expected + expected / 3, 1024)));
  }

  static std::uint64_t Hash(std::string_view number) { return XXH3_64bits(number.data(), number.size()); }

  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

  // True when number (whose Hash is hash) was not inserted before: from now on it is known under id.
  bool Insert(std::string_view number, std::uint64_t hash, std::uint64_t id) {
    if ((used_ + 1) * 4 > slots_.size() * 3) Resize(slots_.size() * 2);  // at most three quarters full
    const std::uint64_t tag = hash >> kIdBits;
    for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
      const std::uint64_t slot = slots_[at];
      if (slot == 0) {
        slots_[at] = tag << kIdBits | (id + 1);
        ++used_;
        return true;
      }
      if (slot >> kIdBits == tag && resolve_((slot & kIdMask) - 1) == number) return false;
    }
  }

 private:
  void Resize(std::size_t count) {
    std::vector<std::uint64_t> old(count, 0);
    old.swap(slots_);
    mask_ = count - 1;
    for (std::uint64_t slot : old) {
      if (slot == 0) continue;
      std::size_t at = Hash(resolve_((slot & kIdMask) - 1)) & mask_;
      while (slots_[at] != 0) at = (at + 1) & mask_;
      slots_[at] = slot;
    }
  }

  Resolve resolve_;
  std::vector<std::uint64_t> slots_;  // tag and id + 1; 0 is free
  std::size_t mask_ = 0;
  std::size_t used_ = 0;
};

}  // namespace zelvane
