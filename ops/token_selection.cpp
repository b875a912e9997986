#include "ops/token_selection.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "core/speedup_switches.h"
#include "ops/comparison_plan.h"
#include "ops/comparison_round.h"
#include "ops/file_failure.h"
#include "ops/memory_budget.h"
#include "ops/repeat_marking.h"
#include "ops/spill_store.h"
#include "ops/token_hash_layout.h"
#include "ops/token_records.h"

namespace zelvane {

namespace {

// What the program, its read and write buffers and a kept stream's last frame take beside the comparison.
constexpr std::uint64_t kOverhead = std::uint64_t{8} << 20;

// The budget is short of shortfall bytes of the comparison's data: says the least budget that will do.
FileError TooLittleMemory(const ComparisonSettings& settings, std::uint64_t shortfall) {
  const std::uint64_t data = ComparisonDataMemory(settings) + shortfall;
  const std::uint64_t budget = 2 * data > 2 * kOverhead ? data + kOverhead : 2 * data;
  FileError error{FileOperation::Read, "",
                  "内存上限太小，这次比较至少需要 --memory " + std::to_string((budget >> 10) + 1) + "K"};
  error.usage = true;
  return error;
}

// Flags in found the ordinals of the first tokens tokens of scanned that occur in searched.
void FindTokens(TextSource& scanned, TextSource& searched, std::uint64_t tokens, const TokenClasses& classes,
                const LengthCounts& counts, const ComparisonPlan& plan, const std::filesystem::path& folder,
                BitArray& found) {
  ComparisonRound round(classes, counts, plan.round, searched, found);
  const unsigned bucketBits = plan.round.bucketBits;
  if (bucketBits == 0) {
    ThrowIfFailed(ForEachToken(scanned, [&](std::string_view token, std::uint64_t ordinal) {
      if (ordinal < tokens) round.Add(token, ordinal);
    }));
    round.Search();
    return;
  }
  // The tokens go to buckets by their anchor, in a temporary file; each bucket is searched for in a round
  // of its own.
  SpillStore buckets(std::size_t{1} << bucketBits, plan.frameSize, 0, folder);
  ThrowIfFailed(ForEachToken(scanned, [&](std::string_view token, std::uint64_t ordinal) {
    if (ordinal >= tokens) return;
    const std::size_t bucket = HashLayout::Bucket(AnchorHash(classes, token), bucketBits);
    TokenRecord::Write(buckets.Append(bucket, TokenRecord::SizeFor(token.size())), token, ordinal);
  }));
  for (std::size_t bucket = 0; bucket < std::size_t{1} << bucketBits; ++bucket) {
    round.SetBucket(bucket);
    ThrowIfFailed(buckets.ForEachFrame(bucket, [&](std::string_view frame) {
      for (const char* record = frame.data(); record != frame.data() + frame.size();
           record += TokenRecord::SizeOf(record)) {
        round.Add(TokenRecord::Text(record), TokenRecord::Ordinal(record));
      }
    }));
    round.Search();
  }
}

}  // namespace

std::uint64_t ComparisonDataMemory(const ComparisonSettings& settings) {
  const std::uint64_t budget = settings.memoryBudget == 0 ? DefaultMemoryBudget() : settings.memoryBudget;
  return budget > 2 * kOverhead ? budget - kOverhead : budget / 2;
}

std::filesystem::path ComparisonTemporaryFolder(const ComparisonSettings& settings) {
  return settings.temporaryFolder.empty() ? DefaultTemporaryFolder() : settings.temporaryFolder;
}

FileResult SelectTokens(TextSource& scanned, TextSource& searched, std::uint64_t memory,
                        const ComparisonSettings& settings, std::uint64_t laterBytes,
                        std::optional<TokenSelection>& selection) {
  const std::filesystem::path folder = ComparisonTemporaryFolder(settings);
  WorkProgress* const progress = settings.progress;
  const std::uint64_t startedAt = progress ? progress->Done() : 0;
  // The passes over the files: counting, gathering, one search a round, the repeats, then what follows.
  const auto expectPasses = [&](std::uint64_t rounds) {
    if (progress) {
      progress->SetTotal(startedAt + (settings.unique ? 3 : 2) * scanned.Size() + rounds * searched.Size() +
                         laterBytes);
    }
  };
  scanned.Watch(progress);
  searched.Watch(progress);
  expectPasses(1);
  try {
    LengthCounts counts{};
    std::uint64_t tokens = 0;
    ThrowIfFailed(ForEachToken(scanned, [&](std::string_view token, std::uint64_t ordinal) {
      ++counts[token.size()];
      tokens = ordinal + 1;
    }));
    if (tokens > TokenRecord::kMaxOrdinal) throw std::bad_alloc();
    BitArray selected(tokens);
    const TokenClasses classes = TokenClasses::Plan(counts, Speedups().lengthClasses);
    const ComparisonPlan plan = PlanComparison(counts, classes, searched.Size(), MemoryAfter(memory, tokens / 8));
    const std::uint64_t least = settings.unique ? std::max(plan.leastMemory, plan.leastRepeatMemory) : plan.leastMemory;
    if (least > MemoryAfter(memory, tokens / 8)) return TooLittleMemory(settings, least + tokens / 8 - memory);
    expectPasses(std::uint64_t{1} << plan.round.bucketBits);
    FindTokens(scanned, searched, tokens, classes, counts, plan, folder, selected);
    if (settings.mode == ComparisonMode::FindDifferent) selected.FlipAll();
    if (settings.unique) ClearRepeats(scanned, tokens, selected, plan.repeatBucketBits, plan.repeatFrameSize, folder);
    selection.emplace(TokenSelection{std::move(selected), tokens});
  } catch (const FileFailure& failure) {
    return failure.error();
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(scanned.path());
  }
  return std::nullopt;
}

}  // namespace zelvane
