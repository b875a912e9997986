#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#define XXH_INLINE_ALL
#include <xxhash.h>

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
  static constexpr std::size_t kMaxGroupedClasses = 8;

  // Classes for tokens of the counted lengths: the few lengths that hold most tokens a class each, the
  // others grouped by ranges of length. Without grouping every length is a class (for the benchmarks).
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

// The hash of a token's bytes, or of a window's, in a class.
inline std::uint64_t HashBytes(const char* bytes, std::size_t length, std::uint64_t seed) {
  return XXH3_64bits_withSeed(bytes, length, seed);
}

// The hash of a token's anchor: it chooses the token's bucket and partition.
inline std::uint64_t AnchorHash(const TokenClasses& classes, std::string_view token) {
  const TokenClass& cls = classes[classes.ClassOf(token.size())];
  return HashBytes(token.data(), cls.anchor, cls.seed);
}

}  // namespace zelvane
