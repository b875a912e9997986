#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "core/aligned_memory.h"

namespace zelvane {

// Memory in slabs, each taken once and then used again and again: fresh memory costs a page fault and a
// clearing per page, about as much as the work done in it. A slab is 2 MiB, or less for a pool
// that needs less: a small comparison touches little memory.
class Slabs {
 public:
  // Slabs of the power of two nearest above need, at most 2 MiB.
  explicit Slabs(std::size_t need) : size_(std::min(std::bit_ceil(std::max<std::size_t>(need, 64)), kLargeBlockSize)) {}

  std::size_t size() const { return size_; }

  // The next slab: after Rewind the slabs already taken, in order, then new ones.
  char* Next() {
    if (next_ == slabs_.size()) slabs_.emplace_back(static_cast<char*>(AllocateMemory(size_)));
    return slabs_[next_++].get();
  }
  void Rewind() { next_ = 0; }

 private:
  std::size_t size_;
  std::vector<std::unique_ptr<char, FreeMemoryDeleter>> slabs_;
  std::size_t next_ = 0;
};

// Memory for records in blocks of one size (a power of two up to a slab), at most capacity bytes of them.
class BlockPool {
 public:
  BlockPool(std::size_t capacity, std::size_t blockSize)
      : blockSize_(blockSize), blocks_(std::max<std::size_t>(capacity / blockSize, 1)), slabs_(blocks_ * blockSize) {}

  std::size_t blockSize() const { return blockSize_; }
  std::size_t BytesInUse() const { return used_ * blockSize_; }

  // A block, or nullptr when all are in use.
  char* Take() {
    if (used_ == blocks_) return nullptr;
    const std::size_t perSlab = slabs_.size() / blockSize_;
    if (used_ % perSlab == 0) slab_ = slabs_.Next();
    return slab_ + blockSize_ * (used_++ % perSlab);
  }
  // Takes every block back.
  void Reset() {
    used_ = 0;
    slabs_.Rewind();
  }

 private:
  std::size_t blockSize_;
  std::size_t blocks_;
  Slabs slabs_;
  char* slab_ = nullptr;
  std::size_t used_ = 0;
};

// Variable-length records sorted into partitions as they come, each partition a list of blocks. A
// record never spans two blocks.
class RecordPartitions {
 public:
  RecordPartitions(BlockPool& pool, std::size_t partitions) : pool_(&pool), parts_(partitions) {}

  std::size_t Count(std::size_t partition) const { return parts_[partition].count; }

  // Room for a record of size bytes (at most a block) in partition, or nullptr when the pool is spent.
  // Inlined everywhere: it runs for every token and every window.
  [[gnu::always_inline]] char* Append(std::size_t partition, std::size_t size) {
    Part& part = parts_[partition];
    if (static_cast<std::size_t>(part.end - part.next) < size && !NextBlock(part)) return nullptr;
    char* record = part.next;
    part.next += size;
    ++part.count;
    return record;
  }

  // Calls receive(record) for each record of partition in order; sizeOf(record) tells where the next begins.
  template <class SizeOf, class Receive>
  void ForEach(std::size_t partition, SizeOf sizeOf, Receive&& receive) const {
    const Part& part = parts_[partition];
    auto walk = [&](const char* from, const char* to) {
      while (from != to) {
        receive(from);
        from += sizeOf(from);
      }
    };
    for (const auto& [begin, end] : part.full) walk(begin, end);
    walk(part.begin, part.next);
  }

  // Forgets every record; the blocks go back with the pool's Reset.
  void Clear() {
    for (Part& part : parts_) part = Part{};
  }

 private:
  struct Part {
    std::vector<std::pair<const char*, const char*>> full;
    char* begin = nullptr;
    char* next = nullptr;
    char* end = nullptr;
    std::size_t count = 0;
  };

  bool NextBlock(Part& part) {
    char* block = pool_->Take();
    if (block == nullptr) return false;
    if (part.begin != nullptr) part.full.emplace_back(part.begin, part.next);
    part.begin = part.next = block;
    part.end = block + pool_->blockSize();
    return true;
  }

  BlockPool* pool_;
  std::vector<Part> parts_;
};

}  // namespace zelvane
