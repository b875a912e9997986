#pragma once

#include <cstddef>
#include <cstdint>

#include "ops/comparison_round.h"
#include "ops/token_classes.h"

namespace zelvane {

// How a comparison divides its work so that it fits its memory: all tokens in one round, or in buckets
// kept in a temporary file and searched for one bucket a round; and for the repeats, likewise.
struct ComparisonPlan {
  RoundLayout round;
  std::size_t frameSize = 0;  // of the buckets' frames
  unsigned repeatBucketBits = 0;
  std::size_t repeatFrameSize = 0;
  // The least memory in which no round (no bucket of repeats, when they are dropped) outgrows its share:
  // with less, thousands of rounds would each search the whole other file.
  std::uint64_t leastMemory = 0;
  std::uint64_t leastRepeatMemory = 0;
};

// A plan for scanned tokens of the counted lengths, a searched text of searchedSize bytes and memory bytes.
ComparisonPlan PlanComparison(const LengthCounts& counts, const TokenClasses& classes, std::uint64_t searchedSize,
                              std::uint64_t memory);

}  // namespace zelvane
