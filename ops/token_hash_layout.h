#pragma once

#include <cstddef>
#include <cstdint>

namespace zelvane {

// What each bit of a token's or a window's anchor hash (HashBytes) decides, from the top down:
//   bucket     the top bucketBits: the round that searches for the token, when the tokens do not fit in one
//   partition  the next partitionBits: the partition whose table holds the token
//   tag        kTagBits from bit kTagShift, kept in the table slot: most other tokens are passed over
//              without reading their records
//   home       the low kHomeBits: the slot where the token's search in its table starts
// The fields never overlap, whatever the plan: within a partition (or a bucket) tags and home slots then
// still vary as much as over all tokens. The anchor filters use a key of their own (AnchorFilter::Key).
struct HashLayout {
  static constexpr unsigned kMaxBucketBits = 16;
  static constexpr unsigned kMaxRouteBits = 17;  // bucket and partition together
  static constexpr unsigned kTagShift = 32;
  static constexpr unsigned kTagBits = 15;
  static constexpr unsigned kHomeBits = 32;

  static std::uint64_t Bucket(std::uint64_t hash, unsigned bucketBits) {
    return bucketBits == 0 ? 0 : hash >> (64 - bucketBits);
  }
  static std::size_t Partition(std::uint64_t hash, unsigned bucketBits, unsigned partitionBits) {
    return partitionBits == 0 ? 0 : static_cast<std::size_t>(hash << bucketBits >> (64 - partitionBits));
  }
  static std::uint64_t Tag(std::uint64_t hash) { return hash >> kTagShift & ((std::uint64_t{1} << kTagBits) - 1); }
  // From the home bits by multiplication: a table of any size, not only a power of two.
  static std::size_t Home(std::uint64_t hash, std::size_t size) {
    return static_cast<std::size_t>((hash & ((std::uint64_t{1} << kHomeBits) - 1)) * size >> kHomeBits);
  }
};

static_assert(HashLayout::kMaxBucketBits <= HashLayout::kMaxRouteBits);
static_assert(HashLayout::kHomeBits <= HashLayout::kTagShift, "home and tag overlap");
static_assert(HashLayout::kTagShift + HashLayout::kTagBits <= 64 - HashLayout::kMaxRouteBits,
              "tag and partition overlap");

}  // namespace zelvane
