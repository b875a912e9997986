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
  // Room for anchors at about 16 bits each (a few false positives in a hundred), within maxBytes; empties it.
  void Resize(std::size_t anchors, std::size_t maxBytes) {
    const std::size_t words = std::min(std::bit_ceil(std::max<std::size_t>(anchors / 4, 64)),
                                       std::bit_floor(std::max<std::size_t>(maxBytes / 8, 64)));
    words_.assign(words, 0);
  }
  void Clear() { std::fill(words_.begin(), words_.end(), 0); }

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
