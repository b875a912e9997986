#include "ops/comparison_plan.h"

#include <algorithm>
#include <bit>

#include "core/speedup_switches.h"
#include "ops/token_hash_layout.h"
#include "ops/token_records.h"

namespace zelvane {

namespace {

// About this many tokens per partition keep its records and table near a core's cache (1 MiB here) while
// the partitions stay few enough for the records to be sorted into them without a miss per record.
constexpr std::uint64_t kTokensPerPartition = 32768;
constexpr std::uint64_t kMinBlock = 256;
constexpr std::uint64_t kMaxBlock = std::uint64_t{16} << 10;
constexpr std::uint64_t kMinFrame = 64;
constexpr std::uint64_t kMaxFrame = std::uint64_t{1} << 20;
// A table slot is 8 bytes, and a table has twice as many slots as tokens.
constexpr std::uint64_t kSlotBytes = 16;
// Windows wait for their probe in at most this much memory besides the partitions' open blocks; when it is
// full they are probed and the memory is used again. A large comparison then touches less fresh memory,
// which the kernel clears first: at ten million lines that costs more than going over the tables again.
constexpr std::uint64_t kMaxWindowPool = std::uint64_t{64} << 20;
// What a distinct number costs while repeats are looked for: its bytes, its reference, its filter slots.
constexpr std::uint64_t kRepeatBytes = 48;

unsigned CeilLog2(std::uint64_t value) { return value <= 1 ? 0 : static_cast<unsigned>(std::bit_width(value - 1)); }

// Buckets enough for need bytes in room bytes per round, with a quarter to spare for uneven buckets.
unsigned BucketBits(std::uint64_t need, std::uint64_t room) {
  if (need <= room) return 0;
  return std::min(HashLayout::kMaxBucketBits, CeilLog2((need + need / 4) / std::max<std::uint64_t>(room, 1) + 1));
}

std::uint64_t Clamp(std::uint64_t value, std::uint64_t low, std::uint64_t high) {
  return std::clamp(std::bit_floor(std::max<std::uint64_t>(value, 1)), low, high);
}

}  // namespace

ComparisonPlan PlanComparison(const LengthCounts& counts, const TokenClasses& classes, std::uint64_t searchedSize,
                              std::uint64_t memory) {
  std::uint64_t tokens = 0;
  std::uint64_t records = 0;
  std::uint64_t tables = 0;
  std::uint64_t repeats = 0;
  for (std::size_t length = 1; length < counts.size(); ++length) {
    if (counts[length] == 0) continue;
    const bool anchored = !classes[classes.ClassOf(length)].Single();
    tokens += counts[length];
    records += counts[length] * TokenRecord::SizeFor(length);
    tables += counts[length] * kSlotBytes * (anchored ? 2 : 1);
    repeats += counts[length] * (length + kRepeatBytes);
  }

  ComparisonPlan plan;
  RoundLayout& round = plan.round;
  round.tokenMemory = memory / 8 * 5;
  const std::uint64_t windowMemory = memory - round.tokenMemory;
  round.bucketBits = BucketBits(records + tables, round.tokenMemory);
  if (Speedups().partitioning) {
    round.partitionBits = std::min(CeilLog2((tokens >> round.bucketBits) / kTokensPerPartition + 1),
                                   HashLayout::kMaxRouteBits - round.bucketBits);
    // Each partition fills a block of its own at a time: a small memory takes fewer partitions.
    while (round.partitionBits > 0 && (kMinBlock << round.partitionBits) * 8 > round.tokenMemory) --round.partitionBits;
  }
  const std::uint64_t partitions = std::uint64_t{1} << round.partitionBits;
  round.blockSize = Clamp(round.tokenMemory / (16 * partitions), kMinBlock, kMaxBlock);
  const std::uint64_t slack = 2 * partitions * round.blockSize;
  round.tokenPool = std::min(round.tokenMemory, (records >> round.bucketBits) / 4 * 5 + slack);

  std::uint64_t spillBuffers = 0;
  if (round.bucketBits > 0) {
    plan.frameSize = Clamp(windowMemory / (std::uint64_t{4} << round.bucketBits), kMinFrame, kMaxFrame);
    spillBuffers = plan.frameSize << round.bucketBits;
  }
  const std::uint64_t windowRoom = windowMemory > spillBuffers ? windowMemory - spillBuffers : 0;
  round.windowPool = std::min({windowRoom, 4 * (searchedSize >> round.bucketBits) + slack, kMaxWindowPool + slack});

  // As many buckets as the layout has, each with room for its share and a quarter to spare.
  const auto roomFor = [](std::uint64_t need) { return (need + need / 4) / (std::uint64_t{1} << HashLayout::kMaxBucketBits) + 1; };
  plan.leastMemory = roomFor(records + tables) / 5 * 8 + 8;
  plan.leastRepeatMemory = 2 * roomFor(repeats);
  plan.repeatBucketBits = BucketBits(repeats, memory / 2);
  plan.repeatFrameSize = Clamp(memory / (std::uint64_t{4} << plan.repeatBucketBits), kMinFrame, kMaxFrame);
  return plan;
}

}  // namespace zelvane
