#include "ops/comparison_round.h"

#include <algorithm>
#include <numeric>

#include "core/speedup_switches.h"
#include "ops/file_failure.h"
#include "ops/look_ahead.h"
#include "ops/token_records.h"
#include "ops/window_cutter.h"

namespace zelvane {

namespace {

// Table bytes a token may take beyond its record: two slots of 8 bytes, two more when anchored.
constexpr std::uint64_t kTableBytes = 16;
// The anchor filters take at most this much memory together, and at most an eighth of the round's token
// memory, which they come out of; only classes that hold at most this share of a round's tokens have one:
// the windows of the others mostly find a token anyway. A filter per class, the classes with the fewest
// tokens first: the smallest filters stay in the fastest cache. As much as a core's cache: at ten million
// lines the landlines, 400 numbers and fragments of 8 to 12 bytes are half a million tokens, and their
// 2 MiB filter turns away almost all of 40 million windows that would each be stored and probed.
constexpr std::size_t kFilterBytes = std::size_t{4} << 20;
constexpr std::uint64_t kFilteredShare = 4;
// The windows of the filtered classes are probed in batches, the first of this share of the window
// memory, each later one twice the last: tokens found early (short ones, which occur everywhere) then leave
// the filters soon. The other windows wait, to be probed at the end in one go.
constexpr std::uint64_t kFirstBatchShare = 64;

}  // namespace

ComparisonRound::ComparisonRound(const TokenClasses& classes, const LengthCounts& counts, const RoundLayout& layout,
                                 TextSource& searched, BitArray& found)
    : classes_(classes),
      layout_(layout),
      tokenMemory_(layout.tokenMemory),
      searched_(searched),
      found_(found),
      lookAhead_(Speedups().lookAhead),
      tokenPool_(layout.tokenPool, layout.blockSize),
      tokens_(tokenPool_, std::size_t{1} << layout.partitionBits),
      anchored_(std::size_t{1} << layout.partitionBits, 0),
      filters_(classes.size()),
      slots_(layout.tokenPool),
      tables_(std::size_t{1} << layout.partitionBits),
      windowPool_(layout.windowPool, layout.blockSize),
      windows_(windowPool_, std::size_t{1} << layout.partitionBits),
      filteredWindows_(windowPool_, std::size_t{1} << layout.partitionBits) {
  if (!Speedups().filter) return;
  // The classes with the fewest tokens, as many as the filters hold well.
  std::vector<std::uint64_t> perClass(classes.size(), 0);
  for (std::size_t length = 1; length < counts.size(); ++length) {
    if (counts[length] > 0) perClass[classes.ClassOf(length)] += counts[length] >> layout.bucketBits;
  }
  const std::uint64_t total = std::accumulate(perClass.begin(), perClass.end(), std::uint64_t{0});
  std::vector<std::size_t> order(classes.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return perClass[a] < perClass[b]; });
  const std::uint64_t room = std::min<std::uint64_t>(kFilterBytes, layout.tokenMemory / 8);
  std::uint64_t bytes = 0;
  for (std::size_t c : order) {
    if (perClass[c] * kFilteredShare > total || bytes + AnchorFilter::BytesFor(perClass[c]) > room) break;
    filters_[c].Resize(perClass[c]);
    bytes += AnchorFilter::BytesFor(perClass[c]);
  }
  tokenMemory_ -= bytes;
}

void ComparisonRound::Add(std::string_view token, std::uint64_t ordinal) {
  const std::size_t cls = classes_.ClassOf(token.size());
  const std::uint64_t hash = AnchorHash(classes_, token);
  const std::size_t partition = PartitionOf(hash);
  const std::size_t size = TokenRecord::SizeFor(token.size());
  const std::uint64_t tables = kTableBytes * (tokenCount_ + anchoredCount_ + 2);
  char* record = nullptr;
  if (tokenPool_.BytesInUse() + tables <= tokenMemory_) record = tokens_.Append(partition, size);
  if (record == nullptr) {
    Search();
    record = tokens_.Append(partition, size);
  }
  TokenRecord::Write(record, token, ordinal);
  ++tokenCount_;
  if (!classes_[cls].Single()) {
    ++anchored_[partition];
    ++anchoredCount_;
  }
  if (filters_[cls].Active()) {
    filters_[cls].Add(AnchorFilter::Key(token.data(), classes_[cls].anchor, classes_[cls].seed));
    filtered_.push_back(record);
  }
}

void ComparisonRound::Search() {
  if (tokenCount_ == 0) return;
  for (std::size_t p = 0; p < tables_.size(); ++p)
    tables_[p].Build(tokens_, p, anchored_[p], classes_, lookAhead_, slots_, duplicates_);

  activeClasses_ = ~std::uint32_t{0};
  batchLimit_ = std::max<std::uint64_t>(layout_.windowPool / kFirstBatchShare, layout_.blockSize);
  WindowCutter cutter(classes_, activeClasses_, [this](std::size_t cls, const char* bytes, std::size_t length) {
    AddWindow(cls, bytes, length);
  });
  ThrowIfFailed(searched_.Read([&cutter](std::string_view piece) { cutter.Feed(piece); }));
  cutter.Finish();
  ProbeWindows(filteredWindows_);
  ProbeWindows(windows_);
  windowPool_.Reset();
  FlagFound();

  duplicates_.clear();
  filtered_.clear();
  slots_.Reset();
  tokens_.Clear();
  tokenPool_.Reset();
  std::fill(anchored_.begin(), anchored_.end(), 0);
  tokenCount_ = 0;
  anchoredCount_ = 0;
  for (AnchorFilter& filter : filters_) filter.Clear();
}

void ComparisonRound::AddWindow(std::size_t cls, const char* bytes, std::size_t length) {
  const TokenClass& windowClass = classes_[cls];
  if (filters_[cls].Active() && !filters_[cls].MayHold(AnchorFilter::Key(bytes, windowClass.anchor, windowClass.seed)))
    return;
  const std::uint64_t hash = HashBytes(bytes, windowClass.anchor, windowClass.seed);
  if (HashLayout::Bucket(hash, layout_.bucketBits) != bucket_) return;
  const std::size_t partition = PartitionOf(hash);
  const bool filtered = filters_[cls].Active();
  RecordPartitions& windows = filtered ? filteredWindows_ : windows_;
  char* record = windows.Append(partition, WindowRecord::SizeFor(length));
  if (record == nullptr) {
    ProbeWindowsMidway();
    record = windows.Append(partition, WindowRecord::SizeFor(length));
  }
  WindowRecord::Write(record, cls, bytes, length);
  if (filtered && (filteredBytes_ += WindowRecord::SizeFor(length)) >= batchLimit_) {
    ProbeWindows(filteredWindows_);
    NarrowFilters();
    batchLimit_ = 2 * batchLimit_;
  }
}

void ComparisonRound::ProbeWindowsMidway() {
  ProbeWindows(filteredWindows_);
  NarrowFilters();
  ProbeWindows(windows_);
  windowPool_.Reset();
}

void ComparisonRound::NarrowFilters() {
  // A token found need not be looked for again: the filters keep the anchors of the others only, and a
  // class whose tokens are all found is cut no more.
  filteredBytes_ = 0;
  std::uint32_t unfound = 0;
  for (AnchorFilter& filter : filters_) filter.Clear();
  std::erase_if(filtered_, [&](const char* record) {
    // A repeat is found with the record the table keeps; until the end of the round its flag tells nothing.
    if (TokenRecord::Found(record) || TokenRecord::Repeat(record)) return true;
    const std::size_t cls = classes_.ClassOf(TokenRecord::Length(record));
    filters_[cls].Add(AnchorFilter::Key(TokenRecord::Bytes(record), classes_[cls].anchor, classes_[cls].seed));
    unfound |= std::uint32_t{1} << cls;
    return false;
  });
  for (std::size_t c = 0; c < filters_.size(); ++c) {
    if (filters_[c].Active() && (unfound >> c & 1) == 0) activeClasses_ &= ~(std::uint32_t{1} << c);
  }
}

void ComparisonRound::FlagFound() {
  for (const auto& [repeat, kept] : duplicates_) {
    if (TokenRecord::Found(kept)) TokenRecord::MarkFound(repeat);
  }
  auto flags = MakeLookAhead<std::uint64_t>(lookAhead_, [this](std::uint64_t ordinal) { found_.Set(ordinal); });
  for (std::size_t p = 0; p < tables_.size(); ++p) {
    tokens_.ForEach(p, TokenRecord::SizeOf, [&](const char* record) {
      if (!TokenRecord::Found(record)) return;
      found_.Prefetch(TokenRecord::Ordinal(record));
      flags.Push(TokenRecord::Ordinal(record));
    });
  }
  flags.Drain();
}

void ComparisonRound::ProbeWindows(RecordPartitions& windows) {
  for (std::size_t p = 0; p < tables_.size(); ++p) {
    const TokenTable& table = tables_[p];
    auto probes = MakeLookAhead<TokenTable::Lookup>(
        lookAhead_, [&](const TokenTable::Lookup& lookup) { table.Probe(lookup, classes_); });
    windows.ForEach(p, WindowRecord::SizeOf, [&](const char* window) { probes.Push(table.Prepare(window, classes_)); });
    probes.Drain();
  }
  windows.Clear();
}

}  // namespace zelvane
