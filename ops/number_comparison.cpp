#include "ops/number_comparison.h"

#include <limits>
#include <new>
#include <optional>
#include <stdexcept>

#include "core/normalize_number.h"
#include "core/speedup_switches.h"
#include "ops/bit_array.h"
#include "ops/comparison_plan.h"
#include "ops/comparison_round.h"
#include "ops/file_failure.h"
#include "ops/memory_budget.h"
#include "ops/repeat_marking.h"
#include "ops/spill_store.h"
#include "ops/text_source.h"
#include "ops/token_hash_layout.h"
#include "ops/token_records.h"

namespace zelvane {

namespace {

// What the program, its read and write buffers and a kept stream's last frame take beside the comparison.
constexpr std::uint64_t kOverhead = std::uint64_t{8} << 20;

std::uint64_t Less(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; }

// The part of the memory budget left for the comparison's own data.
std::uint64_t DataMemory(const ComparisonSettings& settings) {
  const std::uint64_t budget = settings.memoryBudget == 0 ? DefaultMemoryBudget() : settings.memoryBudget;
  return budget > 2 * kOverhead ? budget - kOverhead : budget / 2;
}

// The budget is short of shortfall bytes of the comparison's data: says the least budget that will do.
FileError TooLittleMemory(const ComparisonSettings& settings, std::uint64_t shortfall) {
  const std::uint64_t data = DataMemory(settings) + shortfall;
  const std::uint64_t budget = 2 * data > 2 * kOverhead ? data + kOverhead : 2 * data;
  FileError error{FileOperation::Read, "",
                  "内存上限太小，这次比较至少需要 --memory " + std::to_string((budget >> 10) + 1) + "K"};
  error.usage = true;
  return error;
}

std::filesystem::path TemporaryFolderOf(const ComparisonSettings& settings) {
  return settings.temporaryFolder.empty() ? DefaultTemporaryFolder() : settings.temporaryFolder;
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

// Scans scanned, searches searched for its tokens and hands the numbers selected to sink. memory is
// what the comparison's data may take.
FileResult Compare(TextSource& scanned, TextSource& searched, std::uint64_t memory, const ComparisonSettings& settings,
                   const NumberSink& sink) {
  const std::filesystem::path folder = TemporaryFolderOf(settings);
  WorkProgress* const progress = settings.progress;
  const std::uint64_t startedAt = progress ? progress->Done() : 0;
  // The passes over the files: counting, gathering, one search a round, the repeats, listing.
  const auto expectPasses = [&](std::uint64_t rounds) {
    if (progress) {
      progress->SetTotal(startedAt + (settings.unique ? 4 : 3) * scanned.Size() + rounds * searched.Size());
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
    // A regular file read again may have changed meanwhile: only the tokens counted now take part.
    BitArray selected(tokens);
    const TokenClasses classes = TokenClasses::Plan(counts, Speedups().lengthClasses);
    const ComparisonPlan plan = PlanComparison(counts, classes, searched.Size(), Less(memory, tokens / 8));
    const std::uint64_t least = settings.unique ? std::max(plan.leastMemory, plan.leastRepeatMemory) : plan.leastMemory;
    if (least > Less(memory, tokens / 8)) return TooLittleMemory(settings, least + tokens / 8 - memory);
    expectPasses(std::uint64_t{1} << plan.round.bucketBits);
    FindTokens(scanned, searched, tokens, classes, counts, plan, folder, selected);
    if (settings.mode == ComparisonMode::FindDifferent) selected.FlipAll();
    if (settings.unique) ClearRepeats(scanned, tokens, selected, plan.repeatBucketBits, plan.repeatFrameSize, folder);
    ThrowIfFailed(ForEachToken(scanned, [&](std::string_view token, std::uint64_t ordinal) {
      if (ordinal < tokens && selected.Test(ordinal)) sink(NormalizeNumber(token));
    }));
  } catch (const FileFailure& failure) {
    return failure.error();
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(scanned.path());
  }
  return std::nullopt;
}

}  // namespace

NumberList CompareNumberFiles(std::string_view scanned, std::string_view searched, ComparisonMode mode) {
  ComparisonSettings settings;
  settings.mode = mode;
  settings.memoryBudget = std::numeric_limits<std::uint64_t>::max();
  NumberList result;
  if (FileResult error = CompareTexts(scanned, searched, settings, [&](std::string_view n) { result.Append(n); }))
    throw std::runtime_error(error->Message());
  return result;
}

std::string FoundNumbersText(ComparisonMode mode, std::uint64_t count, CountForm form) {
  return "找到" + CountText(count, form) + (mode == ComparisonMode::FindSame ? "个相同的号码" : "个不同的号码");
}

FileResult CompareTexts(std::string_view scanned, std::string_view searched, const ComparisonSettings& settings,
                        const NumberSink& sink) {
  TextSource scannedSource(scanned);
  TextSource searchedSource(searched);
  return Compare(scannedSource, searchedSource, DataMemory(settings), settings, sink);
}

FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2,
                        const ComparisonSettings& settings, const NumberSink& sink) {
  const std::uint64_t memory = DataMemory(settings);
  const std::filesystem::path folder = TemporaryFolderOf(settings);
  // A stream is kept while it is read, to learn its size: up to a quarter of the memory each.
  std::optional<TextSource> first;
  std::optional<TextSource> second;
  if (FileResult error = TextSource::Open(file1, settings.inputs, memory / 4, folder, first, settings.reading)) {
    return error;
  }
  if (FileResult error = TextSource::Open(file2, settings.inputs, memory / 4, folder, second, settings.reading)) {
    return error;
  }
  const bool secondScanned = second->Size() > first->Size();
  if (settings.listedFile) *settings.listedFile = secondScanned ? 2 : 1;
  TextSource& scanned = secondScanned ? *second : *first;
  TextSource& searched = secondScanned ? *first : *second;
  return Compare(scanned, searched, Less(memory, first->BytesHeld() + second->BytesHeld()), settings, sink);
}

FileResult CompareFiles(const std::filesystem::path& file1, const std::filesystem::path& file2, ComparisonMode mode,
                        NumberList& result, WorkProgress* progress, int* listedFile) {
  ComparisonSettings settings;
  settings.mode = mode;
  settings.progress = progress;
  settings.listedFile = listedFile;
  NumberList listed;
  if (FileResult error = CompareFiles(file1, file2, settings, [&](std::string_view n) { listed.Append(n); }))
    return error;
  result = std::move(listed);
  return std::nullopt;
}

}  // namespace zelvane
