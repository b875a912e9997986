#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ops/anchor_filter.h"
#include "ops/bit_array.h"
#include "ops/record_blocks.h"
#include "ops/text_source.h"
#include "ops/token_classes.h"
#include "ops/token_hash_layout.h"
#include "ops/token_table.h"

namespace zelvane {

// How a round divides its work and its memory.
struct RoundLayout {
  unsigned bucketBits = 0;     // a round takes one bucket of tokens and windows (HashLayout::Bucket)
  unsigned partitionBits = 0;  // the partitions of a round (HashLayout::Partition)
  std::size_t blockSize = 0;
  std::uint64_t tokenMemory = 0;  // token records and their tables may take this much
  std::uint64_t tokenPool = 0;    // at most this much for token records
  std::uint64_t windowPool = 0;   // at most this much for window records waiting to be probed
};

// Searches the searched text for scanned tokens, as many at a time as memory allows: the tokens go to
// partitions by their anchor hash, each partition gets a table, and the text's windows go to the
// partition of their anchor, to be probed against its table in one go. Flags the ordinals of the tokens
// found. Failures throw FileFailure.
class ComparisonRound {
 public:
  ComparisonRound(const TokenClasses& classes, const LengthCounts& counts, const RoundLayout& layout,
                  TextSource& searched, BitArray& found);

  // The bucket whose tokens are added next; searches look at its windows only.
  void SetBucket(std::uint64_t bucket) { bucket_ = bucket; }

  // Adds a token of the bucket; when the memory for tokens is full, searches for the tokens held first.
  void Add(std::string_view token, std::uint64_t ordinal);

  // Searches for the tokens added since the last search and flags those found.
  void Search();

 private:
  std::size_t PartitionOf(std::uint64_t hash) const {
    return HashLayout::Partition(hash, layout_.bucketBits, layout_.partitionBits);
  }
  void AddWindow(std::size_t cls, const char* bytes, std::size_t length);
  // Probes every window gathered, narrows the filters and takes the window memory back, when it is full
  // before the text ends.
  void ProbeWindowsMidway();
  // Probes windows; their blocks go back only with the pool's Reset.
  void ProbeWindows(RecordPartitions& windows);
  // Narrows the filters to the tokens not found yet.
  void NarrowFilters();
  // Sets the found bit of each token record flagged, repeats of a found token included.
  void FlagFound();

  const TokenClasses& classes_;
  RoundLayout layout_;
  std::uint64_t tokenMemory_;  // the layout's, less what the filters take
  TextSource& searched_;
  BitArray& found_;
  bool lookAhead_;
  std::uint64_t bucket_ = 0;

  BlockPool tokenPool_;
  RecordPartitions tokens_;
  std::vector<std::size_t> anchored_;  // by partition: tokens of classes of several lengths
  std::uint64_t tokenCount_ = 0;
  std::uint64_t anchoredCount_ = 0;

  std::vector<AnchorFilter> filters_;  // by class; inactive for classes of many tokens
  std::vector<const char*> filtered_;  // the records of the filtered classes not known to be found
  std::uint32_t activeClasses_ = 0;    // the classes whose windows are cut, by bit

  SlotArena slots_;
  std::vector<TokenTable> tables_;
  std::vector<TokenTable::Duplicate> duplicates_;

  BlockPool windowPool_;
  RecordPartitions windows_;          // of the classes without a filter, probed when the text is cut
  RecordPartitions filteredWindows_;  // of the filtered classes, probed in batches
  std::uint64_t filteredBytes_ = 0;
  std::uint64_t batchLimit_ = 0;  // filtered window bytes gathered before the next batch is probed
};

}  // namespace zelvane
