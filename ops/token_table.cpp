#include "ops/token_table.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/huge_pages.h"
#include "ops/token_records.h"

namespace zelvane {

namespace {

using Slot = std::uint64_t;
constexpr std::size_t kNone = ~std::size_t{0};

// Token slots: the record's address (user-space addresses fit 48 bits), 15 bits of hash, the found flag.
Slot TokenTag(std::uint64_t hash) { return (hash >> 32 & 0x7FFF) << 1; }
Slot TokenSlot(const char* record, std::uint64_t hash) {
  return static_cast<Slot>(reinterpret_cast<std::uintptr_t>(record)) << 16 | TokenTag(hash);
}
const char* RecordOf(Slot slot) { return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(slot >> 16)); }
constexpr Slot kTokenTagMask = 0xFFFE;

// Anchor slots: the token's slot number, 31 bits of hash, the marker flag.
Slot AnchorTag(std::uint64_t hash) { return (hash >> 32 & 0x7FFFFFFF) << 1; }
constexpr Slot kAnchorTagMask = 0xFFFFFFFE;

// Twice as many slots as entries, so that a lookup that finds nothing stops soon.
std::size_t TableSize(std::size_t entries) { return 2 * entries + 8; }

// A hash's home slot, from its low 32 bits: the top bits chose the partition, bits 32 on make the tags.
std::size_t Home(std::uint64_t hash, std::size_t size) { return (hash & 0xFFFFFFFF) * size >> 32; }
std::size_t Next(std::size_t at, std::size_t size) { return at + 1 == size ? 0 : at + 1; }

}  // namespace

void SlotArena::Reserve(std::size_t slots) {
  if (slots > capacity_) {
    memory_.reset();
    memory_.reset(static_cast<std::uint64_t*>(AllocateHugePages(slots * sizeof(std::uint64_t))));
    capacity_ = slots;
  }
  used_ = 0;
}

std::uint64_t* SlotArena::Take(std::size_t slots) {
  std::uint64_t* taken = memory_.get() + used_;
  used_ += slots;
  std::memset(taken, 0, slots * sizeof(std::uint64_t));
  return taken;
}

std::size_t TokenTable::SlotsFor(std::size_t count) { return 2 * TableSize(count); }

void TokenTable::Build(const RecordPartitions& tokens, std::size_t partition, const TokenClasses& classes,
                       SlotArena& arena, std::vector<std::uint64_t>& scratch) {
  // Duplicates are dropped in scratch first, so that the table kept is sized by the distinct tokens.
  scratch.assign(TableSize(tokens.Count(partition)), 0);
  std::size_t distinct = 0;
  std::size_t anchored = 0;
  tokens.ForEach(partition, TokenRecord::SizeOf, [&](const char* record) {
    const std::size_t length = TokenRecord::Length(record);
    const TokenClass& cls = classes[classes.ClassOf(length)];
    const std::uint64_t hash = HashBytes(TokenRecord::Bytes(record), length, cls.seed);
    for (std::size_t at = Home(hash, scratch.size());; at = Next(at, scratch.size())) {
      const Slot slot = scratch[at];
      if (slot == 0) {
        scratch[at] = TokenSlot(record, hash);
        ++distinct;
        if (!cls.Single()) ++anchored;
        return;
      }
      if ((slot & kTokenTagMask) == TokenTag(hash) && TokenRecord::Text(RecordOf(slot)) == TokenRecord::Text(record))
        return;
    }
  });

  const std::size_t size = TableSize(distinct);
  tokens_ = arena.Take(size);
  tokenSize_ = size;
  if (size == scratch.size()) {
    std::memcpy(tokens_, scratch.data(), size * sizeof(Slot));
  } else {
    for (const Slot slot : scratch) {
      if (slot == 0) continue;
      const char* record = RecordOf(slot);
      const std::size_t length = TokenRecord::Length(record);
      const std::uint64_t hash = HashBytes(TokenRecord::Bytes(record), length, classes[classes.ClassOf(length)].seed);
      std::size_t at = Home(hash, size);
      while (tokens_[at] != 0) at = Next(at, size);
      tokens_[at] = slot;
    }
  }

  anchors_ = nullptr;
  anchorSize_ = 0;
  if (anchored == 0) return;
  anchorSize_ = TableSize(anchored);
  anchors_ = arena.Take(anchorSize_);
  for (std::size_t token = 0; token < tokenSize_; ++token) {
    if (tokens_[token] != 0 && !classes[classes.ClassOf(TokenRecord::Length(RecordOf(tokens_[token])))].Single())
      AddAnchor(token, classes);
  }
}

void TokenTable::AddAnchor(std::size_t token, const TokenClasses& classes) {
  const char* record = RecordOf(tokens_[token]);
  const std::size_t cls = classes.ClassOf(TokenRecord::Length(record));
  const TokenClass& tokenClass = classes[cls];
  const std::uint64_t hash = HashBytes(TokenRecord::Bytes(record), tokenClass.anchor, tokenClass.seed);
  std::size_t group = 0;
  std::size_t at = Home(hash, anchorSize_);
  for (; anchors_[at] != 0; at = Next(at, anchorSize_)) {
    const Slot slot = anchors_[at];
    if ((slot & kAnchorTagMask) != AnchorTag(hash)) continue;
    const char* other = RecordOf(tokens_[slot >> 32]);
    if (classes.ClassOf(TokenRecord::Length(other)) != cls ||
        std::memcmp(TokenRecord::Bytes(other), TokenRecord::Bytes(record), tokenClass.anchor) != 0)
      continue;
    if (slot & 1) return;  // a marker: the anchor's tokens are looked up by length
    ++group;
  }
  anchors_[at] = static_cast<Slot>(token) << 32 | AnchorTag(hash) | (group >= kMaxGroup ? 1 : 0);
}

std::size_t TokenTable::FindToken(std::uint64_t hash, const char* bytes, std::size_t length) const {
  for (std::size_t at = Home(hash, tokenSize_);; at = Next(at, tokenSize_)) {
    const Slot slot = tokens_[at];
    if (slot == 0) return kNone;
    if ((slot & kTokenTagMask) != TokenTag(hash)) continue;
    const char* record = RecordOf(slot);
    if (TokenRecord::Length(record) == length && std::memcmp(TokenRecord::Bytes(record), bytes, length) == 0) return at;
  }
}

void TokenTable::Probe(const char* window, const TokenClasses& classes) {
  const std::size_t cls = WindowRecord::Class(window);
  const TokenClass& windowClass = classes[cls];
  const std::size_t length = WindowRecord::Length(window);
  const char* bytes = WindowRecord::Bytes(window);
  const std::uint64_t hash = HashBytes(bytes, windowClass.anchor, windowClass.seed);
  if (windowClass.Single()) {
    if (const std::size_t at = FindToken(hash, bytes, windowClass.anchor); at != kNone) tokens_[at] |= 1;
    return;
  }
  if (anchors_ == nullptr) return;
  bool marked = false;
  for (std::size_t at = Home(hash, anchorSize_); anchors_[at] != 0; at = Next(at, anchorSize_)) {
    const Slot slot = anchors_[at];
    if ((slot & kAnchorTagMask) != AnchorTag(hash)) continue;
    const std::size_t token = slot >> 32;
    const char* record = RecordOf(tokens_[token]);
    const std::size_t tokenLength = TokenRecord::Length(record);
    if (classes.ClassOf(tokenLength) != cls) continue;
    if (slot & 1) {
      marked = marked || std::memcmp(TokenRecord::Bytes(record), bytes, windowClass.anchor) == 0;
    } else if (tokenLength <= length && std::memcmp(TokenRecord::Bytes(record), bytes, tokenLength) == 0) {
      tokens_[token] |= 1;
    }
  }
  if (!marked) return;
  for (std::uint32_t lengths = windowClass.lengths; lengths != 0; lengths &= lengths - 1) {
    const auto prefix = static_cast<std::size_t>(std::countr_zero(lengths));
    if (prefix > length) break;
    const std::size_t at = FindToken(HashBytes(bytes, prefix, windowClass.seed), bytes, prefix);
    if (at != kNone) tokens_[at] |= 1;
  }
}

bool TokenTable::Found(const char* token, const TokenClasses& classes) const {
  const std::size_t length = TokenRecord::Length(token);
  const std::uint64_t hash = HashBytes(TokenRecord::Bytes(token), length, classes[classes.ClassOf(length)].seed);
  const std::size_t at = FindToken(hash, TokenRecord::Bytes(token), length);
  return at != kNone && (tokens_[at] & 1);
}

}  // namespace zelvane
