#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane {

// A Bloom filter of anchor hashes with two bits per anchor, both in one 64-bit word: a window whose
// anchor no token has is mostly turned away by one read of a bitmap small enough for the cache.
class AnchorFilter {
 public:
  // Room for anchors at 16 to 32 bits each (one or two false positives in a hundred); empties it.
  void Resize(std::size_t anchors) { words_.assign(std::bit_ceil(std::max<std::size_t>(anchors / 4, 8)), 0); }
  void Clear() { std::fill(words_.begin(), words_.end(), 0); }
  // A filter never resized lets every window through without a look.
  bool Active() const { return !words_.empty(); }

  void Add(std::uint64_t hash) { words_[hash & (words_.size() - 1)] |= Bits(hash); }
  bool MayHold(std::uint64_t hash) const {
    const std::uint64_t bits = Bits(hash);
    return (words_[hash & (words_.size() - 1)] & bits) == bits;
  }

 private:
  static std::uint64_t Bits(std::uint64_t hash) {
    return std::uint64_t{1} << (hash >> 20 & 63) | std::uint64_t{1} << (hash >> 26 & 63);
  }

  std::vector<std::uint64_t> words_;
};

}  // namespace zelvane
