#include "ops/token_classes.h"

#include <algorithm>

namespace zelvane {

namespace {

// A length that holds at least this share of the tokens is a class of its own; at most kMaxOwn are.
constexpr std::uint64_t kOwnShare = 16;
constexpr std::size_t kMaxOwn = 4;
// The other lengths are grouped by these ranges, each starting at one of these lengths.
constexpr std::array<std::size_t, 4> kRangeStarts = {1, 4, 8, 13};
// A length of 4 to 7 bytes with this many tokens is a class of its own too: a group's anchor is 4 bytes,
// and a few thousand anchors of 4 digits match most windows of a list of numbers, so that the filter
// turns few away and each window is compared with every length of the group. Its own class is probed
// with its whole length, and is no longer cut once its tokens are found (short ones are found soon).
constexpr std::size_t kShortFirst = 4;
constexpr std::size_t kShortLast = 7;
constexpr std::uint64_t kShortOwnCount = 1024;
static_assert(kMaxOwn + (kShortLast - kShortFirst + 1) + kRangeStarts.size() == TokenClasses::kMaxGroupedClasses);

std::size_t RangeOf(std::size_t length) {
  return static_cast<std::size_t>(std::upper_bound(kRangeStarts.begin(), kRangeStarts.end(), length) -
                                  kRangeStarts.begin());
}

}  // namespace

TokenClasses TokenClasses::Plan(const LengthCounts& counts, bool grouped) {
  std::uint64_t total = 0;
  for (std::uint64_t count : counts) total += count;
  std::vector<std::size_t> byCount;
  for (std::size_t length = 1; length <= kMaxTokenLength; ++length) {
    if (counts[length] > 0) byCount.push_back(length);
  }
  std::stable_sort(byCount.begin(), byCount.end(),
                   [&counts](std::size_t a, std::size_t b) { return counts[a] > counts[b]; });

  // A group key per length: own classes get keys above every range.
  std::array<std::size_t, kMaxTokenLength + 1> group{};
  for (std::size_t i = 0; i < byCount.size(); ++i) {
    const std::size_t length = byCount[i];
    const bool own = !grouped || (i < kMaxOwn && counts[length] * kOwnShare >= total) ||
                     (length >= kShortFirst && length <= kShortLast && counts[length] >= kShortOwnCount);
    group[length] = own ? kRangeStarts.size() + 1 + length : RangeOf(length);
  }

  TokenClasses classes;
  std::array<int, 2 * kMaxTokenLength + 2> classOfGroup;
  classOfGroup.fill(-1);
  for (std::size_t length = 1; length <= kMaxTokenLength; ++length) {
    if (counts[length] == 0) continue;
    int& c = classOfGroup[group[length]];
    if (c < 0) {
      c = static_cast<int>(classes.classes_.size());
      classes.classes_.push_back(TokenClass{length, length, 0, 0});
    }
    TokenClass& cls = classes.classes_[static_cast<std::size_t>(c)];
    cls.longest = length;
    cls.lengths |= std::uint32_t{1} << length;
    classes.classOf_[length] = static_cast<std::uint8_t>(c);
    classes.longest_ = length;
  }
  // Ranges and own classes interleave by anchor; lengths go up, so classes were made shortest anchor first.
  for (std::size_t c = 0; c < classes.classes_.size(); ++c) {
    classes.classes_[c].seed = 0x9E3779B97F4A7C15ULL * (c + 1);
  }
  return classes;
}

}  // namespace zelvane
