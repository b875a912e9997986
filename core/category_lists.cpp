#include "core/category_lists.h"

#include <algorithm>
#include <future>
#include <new>
#include <span>
#include <vector>

#include "core/block_reserve.h"
#include "core/number_scanner.h"
#include "core/repeat_filter.h"
#include "core/speedup_switches.h"

namespace zelvane {

namespace {

// Loops over numbers look at progress once every so many numbers.
constexpr std::uint64_t kCheckpointStep = 1 << 16;

bool IsCheckpoint(std::uint64_t i) { return (i + 1) % kCheckpointStep == 0; }

// At a checkpoint: progress advanced by a step, and whether it asks to stop.
bool StoppedAt(WorkProgress* progress) {
  if (progress == nullptr) return false;
  progress->Advance(kCheckpointStep);
  return progress->StopRequested();
}

// Holds readers, if there are any, for as long as it lives.
std::unique_lock<std::mutex> LockOut(std::mutex* readers) {
  return readers ? std::unique_lock<std::mutex>(*readers) : std::unique_lock<std::mutex>();
}

// About as many 2 MiB list blocks as this many numbers fill: a dozen bytes each, and eight bytes of
// reference. Small imports need none.
std::size_t BlocksFor(std::uint64_t numbers) {
  const std::uint64_t blocks = numbers * 20 / BlockReserve::kBlockSize;
  return blocks < 4 ? 0 : static_cast<std::size_t>(blocks);
}

// Sets first[i] for each number i of the import order that comes for the first time, among those whose
// hash has half as its top bit.
// progress advances by the numbers looked at; once it asks to stop, the marks are left incomplete.
void MarkFirstOccurrences(const CategoryLists& lists, unsigned half, std::span<std::uint8_t> first,
                          WorkProgress* progress) {
  // A number is known by its category and its index in that list.
  constexpr int kIndexBits = 37;
  const auto resolve = [&lists](std::uint64_t id) {
    return lists[kAllCategories[id >> kIndexBits]][id & ((std::uint64_t{1} << kIndexBits) - 1)];
  };
  const std::span<const NumberCategory> order = lists.Order();
  RepeatFilter<decltype(resolve)> filter(resolve, order.size() / 2);

  // Lookups run kAhead numbers behind the prefetches.
  constexpr std::size_t kAhead = 16;
  CategoryCounts next{};
  CategoryCounts ahead{};
  std::array<std::uint64_t, kAhead> hashes{};
  for (std::size_t i = 0; i < order.size() + kAhead; ++i) {
    if (IsCheckpoint(i) && StoppedAt(progress)) return;
    if (i >= kAhead) {
      const std::size_t at = i - kAhead;
      const std::size_t c = CategoryIndex(order[at]);
      const std::uint64_t index = next[c]++;
      const std::uint64_t hash = hashes[at % kAhead];
      if (hash >> 63 == half) first[at] = filter.Insert(lists[order[at]][index], hash, c << kIndexBits | index);
    }
    if (i < order.size()) {
      const NumberCategory category = order[i];
      const std::uint64_t hash = decltype(filter)::Hash(lists[category][ahead[CategoryIndex(category)]++]);
      if (hash >> 63 == half) filter.Prefetch(hash);
      hashes[i % kAhead] = hash;
    }
  }
}

}  // namespace

CategoryCounts CategoryLists::Counts() const {
  CategoryCounts counts{};
  for (NumberCategory category : kAllCategories) counts[CategoryIndex(category)] = (*this)[category].size();
  return counts;
}

std::uint64_t CategoryLists::TextBytes() const {
  std::uint64_t bytes = 0;
  for (const NumberList& list : lists_) {
    if (list.bytes_.empty()) continue;
    bytes += list.bytesUsed_;
    for (std::size_t block = 0; block + 1 < list.bytes_.size(); ++block) bytes += NumberList::BlockSize(block);
  }
  return bytes;
}

FileResult CategoryLists::Import(NumberFile& file, const PrefixTable& table, WorkProgress* progress,
                                 std::mutex* readers) {
  return Import([&file](const NumberFile::Sink& sink, WorkProgress* reading) { return file.Read(sink, reading); },
                file.path(), file.Size(), table, progress, readers);
}

FileResult CategoryLists::Import(const TextReader& read, const std::filesystem::path& path, std::uint64_t size,
                                 const PrefixTable& table, WorkProgress* progress, std::mutex* readers) {
  const CategoryCounts before = Counts();
  FileResult error;
  try {
    BlockReserve reserve(Speedups().prepareBlocks ? BlocksFor(ExpectedNumbers(size)) : 0);
    const auto append = [&](std::string_view token) {
      const std::string_view number = NormalizeNumber(token);
      const NumberCategory category = table.Classify(number);
      lists_[CategoryIndex(category)].Append(number, &reserve);
      order_.push_back(category);
    };
    NumberScanner scanner;
    error = read(
        [&](std::string_view piece) {
          const std::unique_lock lock = LockOut(readers);
          scanner.Feed(piece, append);
        },
        progress);
    if (!error) {
      const std::unique_lock lock = LockOut(readers);
      scanner.Finish(append);
    }
  } catch (const std::bad_alloc&) {
    error = OutOfMemoryError(path);
  } catch (const std::length_error&) {
    error = OutOfMemoryError(path);
  }
  if (error) {
    const std::unique_lock lock = LockOut(readers);
    UndoImport(before);
  }
  return error;
}

void CategoryLists::UndoImport(const CategoryCounts& before) {
  std::uint64_t total = 0;
  for (NumberCategory category : kAllCategories) {
    lists_[CategoryIndex(category)].Truncate(before[CategoryIndex(category)]);
    total += before[CategoryIndex(category)];
  }
  order_.resize(total);
}

std::optional<std::vector<std::uint8_t>> CategoryLists::FirstOccurrenceMarks(WorkProgress* progress) const {
  // Each half of the hashes on a core of its own: the halves share no number. The other half only
  // looks whether to stop; this one reports.
  std::vector<std::uint8_t> first(order_.size());
  WorkProgress otherProgress;
  if (progress) otherProgress = WorkProgress(progress->StopToken(), {});
  std::future<void> other = std::async(std::launch::async | std::launch::deferred, [this, &first, &otherProgress] {
    MarkFirstOccurrences(*this, 1, first, &otherProgress);
  });
  MarkFirstOccurrences(*this, 0, first, progress);
  other.get();
  if (progress && progress->StopRequested()) return std::nullopt;
  return first;
}

std::optional<std::uint64_t> CategoryLists::RepeatCount(WorkProgress* progress) const {
  if (progress) progress->SetTotal(progress->Done() + order_.size());
  const std::optional<std::vector<std::uint8_t>> first = FirstOccurrenceMarks(progress);
  if (!first) return std::nullopt;
  return static_cast<std::uint64_t>(std::count(first->begin(), first->end(), 0));
}

std::optional<CategoryLists> CategoryLists::WithoutRepeats(std::uint64_t& removed, WorkProgress* progress) const {
  if (progress) progress->SetTotal(progress->Done() + 2 * order_.size());
  const std::optional<std::vector<std::uint8_t>> marks = FirstOccurrenceMarks(progress);
  if (!marks) return std::nullopt;
  const std::vector<std::uint8_t>& first = *marks;
  removed = static_cast<std::uint64_t>(std::count(first.begin(), first.end(), 0));
  if (removed == 0) return std::nullopt;

  CategoryLists kept;
  kept.order_.reserve(order_.size());
  BlockReserve reserve(BlocksFor(order_.size()));
  CategoryCounts next{};
  for (std::size_t i = 0; i < order_.size(); ++i) {
    if (IsCheckpoint(i) && StoppedAt(progress)) break;
    const std::size_t c = CategoryIndex(order_[i]);
    const std::string_view number = lists_[c][next[c]++];
    if (!first[i]) continue;
    kept.lists_[c].Append(number, &reserve);
    kept.order_.push_back(order_[i]);
  }
  return kept;
}

CategoryLists CategoryLists::Reclassified(const PrefixTable& table, WorkProgress* progress) const {
  if (progress) progress->SetTotal(progress->Done() + order_.size());
  CategoryLists sorted;
  sorted.order_.reserve(order_.size());
  BlockReserve reserve(BlocksFor(order_.size()));
  CategoryCounts next{};
  for (std::size_t i = 0; i < order_.size(); ++i) {
    if (IsCheckpoint(i) && StoppedAt(progress)) break;
    const NumberCategory category = order_[i];
    const std::size_t c = CategoryIndex(category);
    const std::string_view number = lists_[c][next[c]++];
    const NumberCategory now = table.Classify(number);
    sorted.lists_[CategoryIndex(now)].Append(number, &reserve);
    sorted.order_.push_back(now);
  }
  return sorted;
}

std::string StatusText(const CategoryCounts& counts, CountForm form) {
  std::uint64_t total = 0;
  for (std::uint64_t count : counts) total += count;
  std::string text = "当前共有" + CountText(total, form) + "个号码";
  for (NumberCategory category : kAllCategories) {
    text += "，";
    text += CategoryLabel(category);
    text += CountText(counts[CategoryIndex(category)], form) + "个";
  }
  return text;
}

}  // namespace zelvane
