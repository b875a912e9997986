#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelvane {

// One bit per token of a file, by ordinal.
class BitArray {
 public:
  explicit BitArray(std::uint64_t bits) : words_((bits + 63) / 64, 0) {}

  bool Test(std::uint64_t bit) const { return words_[bit / 64] >> (bit % 64) & 1; }
  void Set(std::uint64_t bit) { words_[bit / 64] |= std::uint64_t{1} << (bit % 64); }
  void Prefetch(std::uint64_t bit) const { __builtin_prefetch(&words_[bit / 64], 1); }
  void Clear(std::uint64_t bit) { words_[bit / 64] &= ~(std::uint64_t{1} << (bit % 64)); }
  void FlipAll() {
    for (std::uint64_t& word : words_) word = ~word;
  }

 private:
  std::vector<std::uint64_t> words_;
};

}  // namespace zelvane
