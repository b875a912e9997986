#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zelvane {

// A Bloom filter of anchors with two bits per anchor, both in one 64-bit word: a window whose anchor no
// token has is mostly turned away by one read of a bitmap small enough for the cache, before its hash is
// computed.
class AnchorFilter {
 public:
  // A quick key for the length bytes of an anchor (at most 30): one multiplication of a few loads.
  static std::uint64_t Key(const char* bytes, std::size_t length, std::uint64_t seed) {
    std::uint64_t value = 0;
    if (length >= 8) {
      value = Load<std::uint64_t>(bytes) ^ std::rotl(Load<std::uint64_t>(bytes + length - 8), 29);
    } else if (length >= 4) {
      value = Load<std::uint32_t>(bytes) | std::uint64_t{Load<std::uint32_t>(bytes + length - 4)} << 32;
    } else {
      for (std::size_t i = 0; i < length; ++i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return (value ^ seed ^ length) * 0x9E3779B97F4A7C15ULL;
  }

  // Room for anchors at 16 to 32 bits each (one or two false positives in a hundred); empties it.
  void Resize(std::size_t anchors) { words_.assign(WordsFor(anchors), 0); }
  static std::size_t BytesFor(std::size_t anchors) { return WordsFor(anchors) * sizeof(std::uint64_t); }
  void Clear() { std::fill(words_.begin(), words_.end(), 0); }
  // A filter never resized lets every window through without a look.
  bool Active() const { return !words_.empty(); }

  // key: from Key. Its top bits choose the word, the next ones the two bits.
  void Add(std::uint64_t key) { words_[Word(key)] |= Bits(key); }
  bool MayHold(std::uint64_t key) const {
    const std::uint64_t bits = Bits(key);
    return (words_[Word(key)] & bits) == bits;
  }

 private:
  template <class T>
  static T Load(const char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
  }
  static std::size_t WordsFor(std::size_t anchors) { return std::bit_ceil(std::max<std::size_t>(anchors / 4, 8)); }
  std::size_t Word(std::uint64_t key) const { return key >> (64 - std::countr_zero(words_.size())); }
  static std::uint64_t Bits(std::uint64_t key) {
    return std::uint64_t{1} << (key >> 20 & 63) | std::uint64_t{1} << (key >> 26 & 63);
  }

  std::vector<std::uint64_t> words_;
};

}  // namespace zelvane
