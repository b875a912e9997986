#include "ops/token_search.h"

#include <sys/mman.h>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <new>
#include <utility>

#include "core/number_scanner.h"

namespace zelvane {

namespace {

// Zero-filled memory for a large array straight from the system: no pass to clear it, and huge pages
// where the system grants them, so that filling it takes few page faults.
template <class T>
class ZeroedArray {
 public:
  explicit ZeroedArray(std::size_t size) : bytes_(std::max<std::size_t>(size * sizeof(T), 1)) {
    void* memory = ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    ::madvise(memory, bytes_, MADV_HUGEPAGE);  // only advice: without huge pages it still works
    data_ = static_cast<T*>(memory);
  }
  ~ZeroedArray() { ::munmap(data_, bytes_); }
  ZeroedArray(const ZeroedArray&) = delete;
  ZeroedArray& operator=(const ZeroedArray&) = delete;

  T& operator[](std::size_t index) { return data_[index]; }
  const T& operator[](std::size_t index) const { return data_[index]; }

 private:
  std::size_t bytes_;
  T* data_;
};

// A lookup on its way: the key, its hash and the slot to go on from.
struct Probe {
  std::uint64_t hash;
  std::string_view key;
  std::size_t at;
};

// Runs each probe only once kDistance later ones were queued. What the probe reads next was prefetched
// when it was queued and has arrived by then, so the cache misses overlap instead of following one another.
template <class Run>
class LookAheadQueue {
 public:
  explicit LookAheadQueue(Run run) : run_(std::move(run)) {}

  void Push(const Probe& probe) {
    Probe& waiting = ring_[queued_++ % kDistance];
    if (queued_ > kDistance) run_(waiting);
    waiting = probe;
  }

  // Runs the probes still waiting, in order.
  void Drain() {
    for (std::size_t i = queued_ > kDistance ? queued_ - kDistance : 0; i < queued_; ++i) run_(ring_[i % kDistance]);
    queued_ = 0;
  }

 private:
  static constexpr std::size_t kDistance = 16;
  Run run_;
  std::array<Probe, kDistance> ring_{};
  std::size_t queued_ = 0;
};

// Hands over each token of bytes as a view into bytes. (ScanNumbers hands over a last run that has no
// separator after it from a copy that lives only as long as the call.)
template <class Receiver>
void ForEachTokenInPlace(std::string_view bytes, Receiver&& receive) {
  std::size_t tailStart = bytes.size();
  while (tailStart > 0 && !IsSeparator(static_cast<unsigned char>(bytes[tailStart - 1]))) --tailStart;
  ScanNumbers(bytes.substr(0, tailStart), receive);
  const std::string_view tail = bytes.substr(tailStart);
  ScanNumbers(tail, [&](std::string_view token) { receive(tail.substr(0, token.size())); });
}

// The distinct tokens of the scanned text in an open-addressing hash table, each with a flag: seen in
// the other text.
//
// Why a table of tokens probed with windows: a token holds at most 30 bytes and no separator, so it can
// only occur inside one separator-free run of the other text. Every window of those runs whose length
// some token has is looked up: a few lookups per line of a number file and never more than 30 per byte,
// with memory for the tokens only (two to four 8-byte slots per token). An automaton over the tokens is
// linear too, but it takes a dependent step through a structure many times larger for every byte; a
// suffix automaton of the other text costs tens of bytes per byte of it.
class TokenTable {
  // A slot, from the top bit down: the token's offset in the scanned text, its length, its hash's top
  // bits; 0 when free, as no token is empty.
  using Slot = std::uint64_t;
  static constexpr Slot kFree = 0;
  static constexpr int kTagBits = 22;
  static constexpr int kLengthBits = 5;
  static constexpr int kOffsetShift = kTagBits + kLengthBits;
  static_assert(kMaxTokenLength < (1 << kLengthBits));

 public:
  // Slot numbers fit 32 bits, offsets into the scanned text what a slot leaves for them.
  static constexpr std::size_t kMaxTokens = std::size_t{1} << 31;
  static constexpr std::size_t kMaxScannedSize = std::size_t{1} << (64 - kOffsetShift);

  TokenTable(std::string_view scanned, std::size_t tokenCount)
      : scanned_(scanned),
        slotCount_(std::bit_ceil(std::max<std::size_t>(2 * tokenCount, 16))),
        slots_(slotCount_),
        found_(slotCount_) {}

  // Adds the tokens of the scanned text; slotOf[k] gets the slot of token k.
  void AddTokens(ZeroedArray<std::uint32_t>& slotOf) {
    std::size_t k = 0;
    LookAheadQueue add([&](const Probe& probe) {
      const std::size_t at = Find(probe.at, probe.hash, probe.key);
      if (slots_[at] == kFree) {
        slots_[at] = MakeSlot(probe.key, probe.hash);
        lengths_ |= std::uint32_t{1} << probe.key.size();
      }
      slotOf[k++] = static_cast<std::uint32_t>(at);
    });
    ForEachTokenInPlace(scanned_, [&](std::string_view token) { EnqueueProbe(add, token); });
    add.Drain();
  }

  // Flags the slots of the tokens that occur in text.
  void MarkOccurrences(std::string_view text) {
    // A lookup takes two steps: to a slot with the key's tag, then to the token's bytes to compare them.
    LookAheadQueue compare([this](const Probe& probe) {
      const std::size_t at = Find(probe.at, probe.hash, probe.key);
      if (slots_[at] != kFree) found_[at] = true;
    });
    LookAheadQueue candidate([&](const Probe& probe) {
      const std::size_t at = FindCandidate(probe.at, probe.hash);
      if (slots_[at] == kFree) return;
      __builtin_prefetch(scanned_.data() + (slots_[at] >> kOffsetShift));
      compare.Push(Probe{probe.hash, probe.key, at});
    });
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
      if (IsSeparator(static_cast<unsigned char>(*p))) {
        ++p;
        continue;
      }
      const char* runEnd = p;
      while (runEnd != end && !IsSeparator(static_cast<unsigned char>(*runEnd))) ++runEnd;
      EnqueueWindows(candidate, std::string_view(p, static_cast<std::size_t>(runEnd - p)));
      p = runEnd;
    }
    candidate.Drain();
    compare.Drain();
  }

  bool Found(std::uint32_t slot) const { return found_[slot]; }

 private:
  static Slot HashTag(std::uint64_t hash) { return hash >> (64 - kTagBits); }
  static Slot SlotTag(Slot slot) { return slot & ((Slot{1} << kTagBits) - 1); }

  Slot MakeSlot(std::string_view token, std::uint64_t hash) const {
    const auto offset = static_cast<Slot>(token.data() - scanned_.data());
    return offset << kOffsetShift | Slot{token.size()} << kTagBits | HashTag(hash);
  }

  std::string_view TokenIn(Slot slot) const {
    return scanned_.substr(slot >> kOffsetShift, (slot >> kTagBits) & ((Slot{1} << kLengthBits) - 1));
  }

  // From slot number at on: the first slot that is free or holds a token with the hash's tag.
  std::size_t FindCandidate(std::size_t at, std::uint64_t hash) const {
    const Slot tag = HashTag(hash);
    while (slots_[at] != kFree && SlotTag(slots_[at]) != tag) at = (at + 1) & (slotCount_ - 1);
    return at;
  }

  // From slot number at on: the slot that holds key, or the free slot where it belongs.
  std::size_t Find(std::size_t at, std::uint64_t hash, std::string_view key) const {
    for (;; at = (at + 1) & (slotCount_ - 1)) {
      at = FindCandidate(at, hash);
      if (slots_[at] == kFree || TokenIn(slots_[at]) == key) return at;
    }
  }

  template <class Queue>
  void EnqueueProbe(Queue& queue, std::string_view key) {
    const std::uint64_t hash = XXH3_64bits(key.data(), key.size());
    const std::size_t home = hash & (slotCount_ - 1);
    __builtin_prefetch(&slots_[home]);
    queue.Push(Probe{hash, key, home});
  }

  // Every window of run whose length some token has.
  template <class Queue>
  void EnqueueWindows(Queue& queue, std::string_view run) {
    for (std::uint32_t lengths = lengths_; lengths != 0; lengths &= lengths - 1) {
      const auto length = static_cast<std::size_t>(std::countr_zero(lengths));
      if (length > run.size()) return;
      for (std::size_t at = 0; at + length <= run.size(); ++at) EnqueueProbe(queue, run.substr(at, length));
    }
  }

  std::string_view scanned_;
  std::size_t slotCount_;  // a power of two
  ZeroedArray<Slot> slots_;
  std::vector<bool> found_;    // by slot
  std::uint32_t lengths_ = 0;  // bit n set when some token has n bytes
};

}  // namespace

std::vector<bool> FindTokensIn(std::string_view scanned, std::string_view text) {
  std::size_t tokenCount = 0;
  ScanNumbers(scanned, [&tokenCount](std::string_view) { ++tokenCount; });
  if (tokenCount > TokenTable::kMaxTokens || scanned.size() > TokenTable::kMaxScannedSize) throw std::bad_alloc();

  TokenTable table(scanned, tokenCount);
  ZeroedArray<std::uint32_t> slotOf(tokenCount);
  table.AddTokens(slotOf);
  table.MarkOccurrences(text);
  std::vector<bool> found(tokenCount);
  for (std::size_t k = 0; k < tokenCount; ++k) found[k] = table.Found(slotOf[k]);
  return found;
}

}  // namespace zelvane
