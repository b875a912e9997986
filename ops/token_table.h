#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "ops/record_blocks.h"
#include "ops/token_classes.h"

namespace zelvane {

// Slots for the tables of a round, taken one after another from slabs; a table larger than a slab gets
// memory of its own.
class SlotArena {
 public:
  // Slabs for about need bytes of tables.
  explicit SlotArena(std::size_t need) : slabs_(need) {}

  // slots zeroed slots.
  std::uint64_t* Take(std::size_t slots);
  // Gives the last slots taken back.
  void GiveBack(std::size_t slots);
  // Takes every slot back.
  void Reset();

 private:
  Slabs slabs_;
  char* slab_ = nullptr;
  std::size_t used_ = 0;  // bytes of slab_
  std::vector<std::unique_ptr<std::uint64_t, FreeMemoryDeleter>> large_;
};

// The distinct tokens of one partition, sized to stay in the cache with the partition's records.
//
// A token of a class of one length is looked up with a window's hash directly. The tokens of a class of
// several lengths are indexed by their anchor (their first bytes, as many as the class's shortest
// length): a window is probed once at its anchor and each token there is compared byte by byte. An
// anchor shared by more than kMaxGroup tokens (sequential numbers, say) gets a marker instead of more
// entries: a window with that anchor then looks its own prefixes up, one per length of the class.
class TokenTable {
 public:
  static constexpr std::size_t kMaxGroup = 8;
  // A token found again in the same partition: its record, and the record kept in the table.
  using Duplicate = std::pair<const char*, const char*>;

  // A window record on its way to a probe: its anchor hash, its first slot prefetched.
  struct Lookup {
    const char* window;
    std::uint64_t hash;
  };

  // Indexes the token records of one partition; a repeated token goes to duplicates. With lookAhead the
  // slots are prefetched a few records ahead.
  void Build(const RecordPartitions& tokens, std::size_t partition, std::size_t anchored, const TokenClasses& classes,
             bool lookAhead, SlotArena& arena, std::vector<Duplicate>& duplicates);
  Lookup Prepare(const char* window, const TokenClasses& classes) const;
  // Marks found every token that occurs at the start of the window.
  void Probe(const Lookup& lookup, const TokenClasses& classes) const;

 private:
  void Insert(const char* record, std::uint64_t hash, const TokenClasses& classes, std::size_t& distinct,
              std::vector<Duplicate>& duplicates);
  const char* FindToken(std::uint64_t hash, const char* bytes, std::size_t length) const;
  void AddAnchor(const char* record, const TokenClasses& classes);
  void Compact(std::size_t distinct, const TokenClasses& classes, SlotArena& arena);

  std::uint64_t* tokens_ = nullptr;  // record address and hash tag; 0 is free
  std::size_t tokenSize_ = 0;
  std::uint64_t* anchors_ = nullptr;  // record address, hash tag and marker flag; 0 is free
  std::size_t anchorSize_ = 0;
};

}  // namespace zelvane
