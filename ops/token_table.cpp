#include "ops/token_table.h"

#include <bit>
#include <cstring>

#include "ops/look_ahead.h"
#include "ops/token_hash_layout.h"
#include "ops/token_records.h"

namespace zelvane {

namespace {

using Slot = std::uint64_t;

// A slot: the record's address (user-space addresses fit 48 bits), the hash's tag and a flag.
static_assert(HashLayout::kTagBits + 1 <= 16, "the tag and the flag fit below the address");
Slot Tag(std::uint64_t hash) { return HashLayout::Tag(hash) << 1; }
Slot MakeSlot(const char* record, std::uint64_t hash) {
  return static_cast<Slot>(reinterpret_cast<std::uintptr_t>(record)) << 16 | Tag(hash);
}
const char* RecordOf(Slot slot) { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(slot >> 16)); }
constexpr Slot kTagMask = ((Slot{1} << HashLayout::kTagBits) - 1) << 1;
constexpr Slot kMarker = 1;

// Twice as many slots as entries, so that a lookup that finds nothing stops soon.
std::size_t TableSize(std::size_t entries) { return 2 * entries + 8; }

std::size_t Home(std::uint64_t hash, std::size_t size) { return HashLayout::Home(hash, size); }
std::size_t Next(std::size_t at, std::size_t size) { return at + 1 == size ? 0 : at + 1; }

std::uint64_t FullHash(const char* record, const TokenClasses& classes) {
  const std::size_t length = TokenRecord::Length(record);
  return HashBytes(TokenRecord::Bytes(record), length, classes[classes.ClassOf(length)].seed);
}

}  // namespace

std::uint64_t* SlotArena::Take(std::size_t slots) {
  const std::size_t bytes = slots * sizeof(Slot);
  std::uint64_t* taken = nullptr;
  if (bytes > slabs_.size()) {
    taken = static_cast<std::uint64_t*>(AllocateMemory(bytes));
    large_.emplace_back(taken);
  } else {
    if (slab_ == nullptr || slabs_.size() - used_ < bytes) {
      slab_ = slabs_.Next();
      used_ = 0;
    }
    taken = reinterpret_cast<std::uint64_t*>(slab_ + used_);
    used_ += bytes;
  }
  std::memset(taken, 0, bytes);
  return taken;
}

void SlotArena::GiveBack(std::size_t slots) {
  if (slots * sizeof(Slot) > slabs_.size()) {
    large_.pop_back();
  } else {
    used_ -= slots * sizeof(Slot);
  }
}

void SlotArena::Reset() {
  slabs_.Rewind();
  slab_ = nullptr;
  used_ = 0;
  large_.clear();
}

void TokenTable::Build(const RecordPartitions& tokens, std::size_t partition, std::size_t anchored,
                       const TokenClasses& classes, bool lookAhead, SlotArena& arena,
                       std::vector<Duplicate>& duplicates) {
  anchorSize_ = anchored > 0 ? TableSize(anchored) : 0;
  anchors_ = anchored > 0 ? arena.Take(anchorSize_) : nullptr;
  tokenSize_ = TableSize(tokens.Count(partition));
  tokens_ = arena.Take(tokenSize_);
  std::size_t distinct = 0;
  using Step = std::pair<const char*, std::uint64_t>;
  auto inserts = MakeLookAhead<Step>(
      lookAhead, [&](const Step& step) { Insert(step.first, step.second, classes, distinct, duplicates); });
  tokens.ForEach(partition, TokenRecord::SizeOf, [&](const char* record) {
    const std::uint64_t hash = FullHash(record, classes);
    __builtin_prefetch(&tokens_[Home(hash, tokenSize_)]);
    inserts.Push(Step(record, hash));
  });
  inserts.Drain();
  if (TableSize(distinct) <= tokenSize_ / 2) Compact(distinct, classes, arena);
}

void TokenTable::Insert(const char* record, std::uint64_t hash, const TokenClasses& classes, std::size_t& distinct,
                        std::vector<Duplicate>& duplicates) {
  for (std::size_t at = Home(hash, tokenSize_);; at = Next(at, tokenSize_)) {
    const Slot slot = tokens_[at];
    if (slot == 0) {
      tokens_[at] = MakeSlot(record, hash);
      ++distinct;
      if (!classes[classes.ClassOf(TokenRecord::Length(record))].Single()) AddAnchor(record, classes);
      return;
    }
    if ((slot & kTagMask) == Tag(hash) && TokenRecord::Text(RecordOf(slot)) == TokenRecord::Text(record)) {
      TokenRecord::MarkRepeat(record);
      duplicates.emplace_back(record, RecordOf(slot));
      return;
    }
  }
}

// Sized by the distinct tokens: a partition of many repeats gives the slots it does not need back.
void TokenTable::Compact(std::size_t distinct, const TokenClasses& classes, SlotArena& arena) {
  std::vector<Slot> kept;
  kept.reserve(distinct);
  for (std::size_t at = 0; at < tokenSize_; ++at) {
    if (tokens_[at] != 0) kept.push_back(tokens_[at]);
  }
  arena.GiveBack(tokenSize_);
  tokenSize_ = TableSize(distinct);
  tokens_ = arena.Take(tokenSize_);
  for (const Slot slot : kept) {
    std::size_t at = Home(FullHash(RecordOf(slot), classes), tokenSize_);
    while (tokens_[at] != 0) at = Next(at, tokenSize_);
    tokens_[at] = slot;
  }
}

void TokenTable::AddAnchor(const char* record, const TokenClasses& classes) {
  const std::size_t cls = classes.ClassOf(TokenRecord::Length(record));
  const TokenClass& tokenClass = classes[cls];
  const std::uint64_t hash = HashBytes(TokenRecord::Bytes(record), tokenClass.anchor, tokenClass.seed);
  std::size_t group = 0;
  std::size_t at = Home(hash, anchorSize_);
  for (; anchors_[at] != 0; at = Next(at, anchorSize_)) {
    const Slot slot = anchors_[at];
    if ((slot & kTagMask) != Tag(hash)) continue;
    const char* other = RecordOf(slot);
    if (classes.ClassOf(TokenRecord::Length(other)) != cls ||
        std::memcmp(TokenRecord::Bytes(other), TokenRecord::Bytes(record), tokenClass.anchor) != 0)
      continue;
    if (slot & kMarker) return;  // the anchor's tokens are looked up by length
    ++group;
  }
  anchors_[at] = MakeSlot(record, hash) | (group >= kMaxGroup ? kMarker : 0);
}

const char* TokenTable::FindToken(std::uint64_t hash, const char* bytes, std::size_t length) const {
  for (std::size_t at = Home(hash, tokenSize_);; at = Next(at, tokenSize_)) {
    const Slot slot = tokens_[at];
    if (slot == 0) return nullptr;
    if ((slot & kTagMask) != Tag(hash)) continue;
    const char* record = RecordOf(slot);
    if (TokenRecord::Length(record) == length && std::memcmp(TokenRecord::Bytes(record), bytes, length) == 0)
      return record;
  }
}

TokenTable::Lookup TokenTable::Prepare(const char* window, const TokenClasses& classes) const {
  const TokenClass& windowClass = classes[WindowRecord::Class(window)];
  const std::uint64_t hash = HashBytes(WindowRecord::Bytes(window), windowClass.anchor, windowClass.seed);
  if (windowClass.Single()) {
    __builtin_prefetch(&tokens_[Home(hash, tokenSize_)]);
  } else if (anchors_ != nullptr) {
    __builtin_prefetch(&anchors_[Home(hash, anchorSize_)]);
  }
  return Lookup{window, hash};
}

void TokenTable::Probe(const Lookup& lookup, const TokenClasses& classes) const {
  const char* window = lookup.window;
  const std::uint64_t hash = lookup.hash;
  const std::size_t cls = WindowRecord::Class(window);
  const TokenClass& windowClass = classes[cls];
  const std::size_t length = WindowRecord::Length(window);
  const char* bytes = WindowRecord::Bytes(window);
  if (windowClass.Single()) {
    if (const char* record = FindToken(hash, bytes, windowClass.anchor)) TokenRecord::MarkFound(record);
    return;
  }
  if (anchors_ == nullptr) return;
  bool marked = false;
  for (std::size_t at = Home(hash, anchorSize_); anchors_[at] != 0; at = Next(at, anchorSize_)) {
    const Slot slot = anchors_[at];
    if ((slot & kTagMask) != Tag(hash)) continue;
    const char* record = RecordOf(slot);
    const std::size_t tokenLength = TokenRecord::Length(record);
    if (classes.ClassOf(tokenLength) != cls) continue;
    if (slot & kMarker) {
      marked = marked || std::memcmp(TokenRecord::Bytes(record), bytes, windowClass.anchor) == 0;
    } else if (tokenLength <= length && std::memcmp(TokenRecord::Bytes(record), bytes, tokenLength) == 0) {
      TokenRecord::MarkFound(record);
    }
  }
  if (!marked) return;
  for (std::uint32_t lengths = windowClass.lengths; lengths != 0; lengths &= lengths - 1) {
    const auto prefix = static_cast<std::size_t>(std::countr_zero(lengths));
    if (prefix > length) break;
    if (const char* record = FindToken(HashBytes(bytes, prefix, windowClass.seed), bytes, prefix))
      TokenRecord::MarkFound(record);
  }
}

}  // namespace zelvane
