#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ops/record_blocks.h"
#include "ops/token_classes.h"

namespace zelvane {

// Slots for the tables of a round, taken one after another from one reservation; Reserve starts over.
class SlotArena {
 public:
  void Reserve(std::size_t slots);
  // slots zeroed slots.
  std::uint64_t* Take(std::size_t slots);

 private:
  struct Free {
    void operator()(std::uint64_t* memory) const { std::free(memory); }
  };
  std::unique_ptr<std::uint64_t[], Free> memory_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
};

// The distinct tokens of one partition, each with a flag: found in the searched text. Lookups stay in
// the partition's own memory, which is sized to stay in the cache.
//
// A token of a class of one length is looked up with a window's hash directly. The tokens of a class of
// several lengths are also indexed by their anchor (their first bytes, as many as the class's shortest
// length): a window is probed once at its anchor and each token there is compared byte by byte. An
// anchor shared by more than kMaxGroup tokens (sequential numbers, say) gets a marker instead of more
// entries: a window with that anchor then looks its own prefixes up, one per length of the class.
class TokenTable {
 public:
  static constexpr std::size_t kMaxGroup = 8;

  // At most this many slots for a partition of count token records.
  static std::size_t SlotsFor(std::size_t count);

  // Indexes the token records of one partition; scratch is reused from table to table.
  void Build(const RecordPartitions& tokens, std::size_t partition, const TokenClasses& classes, SlotArena& arena,
             std::vector<std::uint64_t>& scratch);
  // Flags every token that occurs at the start of a window record.
  void Probe(const char* window, const TokenClasses& classes);
  // Whether the token of a record that Build was given was found.
  bool Found(const char* token, const TokenClasses& classes) const;

 private:
  std::size_t FindToken(std::uint64_t hash, const char* bytes, std::size_t length) const;
  void AddAnchor(std::size_t token, const TokenClasses& classes);

  std::uint64_t* tokens_ = nullptr;  // record address, hash tag, found flag; 0 is free
  std::size_t tokenSize_ = 0;
  std::uint64_t* anchors_ = nullptr;  // token slot, hash tag, marker flag; 0 is free
  std::size_t anchorSize_ = 0;
};

}  // namespace zelvane
