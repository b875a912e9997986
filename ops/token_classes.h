#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/number_scanner.h"

namespace zelvane {

// How many scanned tokens have each text length, 1 to kMaxTokenLength.
using LengthCounts = std::array<std::uint64_t, kMaxTokenLength + 1>;

// Token lengths that are looked for together. Each position of the searched text is probed once per
// class, with the hash of its next anchor bytes (the class's shortest length); the rest of a token
// is compared byte by byte.
struct TokenClass {
  std::size_t anchor = 0;
  std::size_t longest = 0;
  std::uint32_t lengths = 0;  // bit L is set for each length L of the class
  std::uint64_t seed = 0;     // so that the hashes of different classes are unrelated

  bool Single() const { return anchor == longest; }
};

class TokenClasses {
 public:
  // A searched position costs at most this many probes, whatever lengths the tokens have.
  static constexpr std::size_t kMaxGroupedClasses = 12;

  // Classes for tokens of the counted lengths: the few lengths that hold most tokens a class each, and
  // short lengths that hold thousands; the others grouped by ranges of length. Without grouping every length is a class (for the benchmarks).
  static TokenClasses Plan(const LengthCounts& counts, bool grouped);

  std::size_t size() const { return classes_.size(); }
  const TokenClass& operator[](std::size_t c) const { return classes_[c]; }
  // The class of a length that some token has.
  std::size_t ClassOf(std::size_t length) const { return classOf_[length]; }
  std::size_t Longest() const { return classes_.empty() ? 0 : longest_; }

 private:
  std::vector<TokenClass> classes_;  // by anchor, shortest first
  std::array<std::uint8_t, kMaxTokenLength + 1> classOf_{};
  std::size_t longest_ = 0;
};

// The hash of a token's bytes, or of a window's, in a class: at most 30 bytes, read in a few loads that
// may overlap, and mixed by 128-bit multiplication. Inline, as it runs for each window of the text.
inline std::uint64_t HashBytes(const char* bytes, std::size_t length, std::uint64_t seed) {
  const auto load64 = [](const char* at) {
    std::uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
  };
  const auto load32 = [](const char* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return std::uint64_t{value};
  };
  const auto mix = [](std::uint64_t a, std::uint64_t b) {
    __extension__ typedef unsigned __int128 Product;
    const Product product = static_cast<Product>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
  };
  std::uint64_t a = 0;
  std::uint64_t b = 0;
  if (length > 16) {
    a = mix(load64(bytes) ^ 0x2d358dccaa6c78a5ULL, load64(bytes + 8) ^ seed);
    b = mix(load64(bytes + length - 16) ^ 0x8bb84b93962eacc9ULL, load64(bytes + length - 8) ^ seed);
  } else if (length >= 8) {
    a = load64(bytes);
    b = load64(bytes + length - 8);
  } else if (length >= 4) {
    a = load32(bytes);
    b = load32(bytes + length - 4);
  } else if (length > 0) {
    a = static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[length / 2]) << 8 |
        static_cast<unsigned char>(bytes[length - 1]) << 16;
  }
  const std::uint64_t h = mix(a ^ 0xa0761d6478bd642fULL, b ^ seed ^ length);
  return mix(h ^ 0xe7037ed1a0b428dbULL, h ^ 0x4b33a62ed433d4a3ULL);
}

// The hash of a token's anchor: it chooses the token's bucket and partition.
inline std::uint64_t AnchorHash(const TokenClasses& classes, std::string_view token) {
  const TokenClass& cls = classes[classes.ClassOf(token.size())];
  return HashBytes(token.data(), cls.anchor, cls.seed);
}

}  // namespace zelvane
