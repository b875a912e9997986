#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "core/aligned_memory.h"
#include "core/short_copy.h"

namespace zelvane {

class BlockReserve;
class CategoryLists;

// A growing list of numbers (at most 30 bytes each) kept compactly: their bytes, and one 64-bit
// reference per number, in blocks that are never moved or copied as the list grows. The first
// blocks are small, so that a short list stays small; the others are 2 MiB, so that a long one
// takes few allocations.
class NumberList {
 public:
  class const_iterator;

  // Appends a number; its 2 MiB blocks come from reserve when it has one ready.
  void Append(std::string_view number, BlockReserve* reserve = nullptr) {
    // ">=" keeps every offset, even an empty number's, inside an existing block.
    if (bytes_.empty() || bytesUsed_ + number.size() >= BlockSize(bytes_.size() - 1)) {
      bytes_.push_back(AllocateBlock(BlockSize(bytes_.size()), reserve));
      bytesUsed_ = 0;
    }
    const auto [refBlock, refIndex] = RefPosition(size_);
    if (refBlock == refs_.size()) refs_.push_back(AllocateBlock(BlockSize(refBlock), reserve));
    CopyShort(bytes_.back().get() + bytesUsed_, number.data(), number.size());  // at most 31 bytes
    Refs(refBlock)[refIndex] = ((bytes_.size() - 1) << kOffsetBits | bytesUsed_) << kLengthBits | number.size();
    bytesUsed_ += number.size();
    ++size_;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  std::string_view operator[](std::size_t index) const {
    const auto [refBlock, refIndex] = RefPosition(index);
    const std::uint64_t ref = Refs(refBlock)[refIndex];
    const std::uint64_t place = ref >> kLengthBits;
    return std::string_view(bytes_[place >> kOffsetBits].get() + (place & kOffsetMask), ref & kLengthMask);
  }

  const_iterator begin() const;
  const_iterator end() const;

 private:
  friend class CategoryLists;

  // Drops the numbers from index count on (undoes the appends of a failed import).
  void Truncate(std::size_t count);

  using Block = std::unique_ptr<char[], FreeMemoryDeleter>;

  static constexpr std::size_t kFirstBlockSize = std::size_t{1} << 12;
  static constexpr unsigned kOffsetBits = 21;
  static constexpr std::size_t kBlockSize = std::size_t{1} << kOffsetBits;
  static constexpr std::uint64_t kOffsetMask = kBlockSize - 1;
  static constexpr unsigned kLengthBits = 5;
  static constexpr std::uint64_t kLengthMask = (std::uint64_t{1} << kLengthBits) - 1;
  static constexpr std::size_t kRefsInFirstBlock = kFirstBlockSize / sizeof(std::uint64_t);
  static constexpr std::size_t kRefsPerBlock = kBlockSize / sizeof(std::uint64_t);

  static constexpr std::size_t BlockSize(std::size_t block) { return block == 0 ? kFirstBlockSize : kBlockSize; }

  // Which block of references holds number index's reference, and where in it.
  static std::pair<std::size_t, std::size_t> RefPosition(std::size_t index) {
    if (index < kRefsInFirstBlock) return {0, index};
    const std::size_t rest = index - kRefsInFirstBlock;
    return {1 + rest / kRefsPerBlock, rest % kRefsPerBlock};
  }

  static Block AllocateBlock(std::size_t size, BlockReserve* reserve);

  std::uint64_t* Refs(std::size_t block) const { return reinterpret_cast<std::uint64_t*>(refs_[block].get()); }

  std::vector<Block> bytes_;
  std::size_t bytesUsed_ = 0;
  std::vector<Block> refs_;  // per number: its byte block, its offset there, its length
  std::size_t size_ = 0;
};

class NumberList::const_iterator {
 public:
  using iterator_category = std::random_access_iterator_tag;
  using value_type = std::string_view;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = std::string_view;

  const_iterator() = default;
  const_iterator(const NumberList* list, std::size_t index) : list_(list), index_(index) {}

  std::string_view operator*() const { return (*list_)[index_]; }
  std::string_view operator[](difference_type offset) const { return *(*this + offset); }

  const_iterator& operator+=(difference_type offset) {
    index_ = static_cast<std::size_t>(static_cast<difference_type>(index_) + offset);
    return *this;
  }
  const_iterator& operator-=(difference_type offset) { return *this += -offset; }
  const_iterator& operator++() { return *this += 1; }
  const_iterator& operator--() { return *this -= 1; }
  const_iterator operator++(int) {
    const_iterator old = *this;
    ++*this;
    return old;
  }
  const_iterator operator--(int) {
    const_iterator old = *this;
    --*this;
    return old;
  }
  friend const_iterator operator+(const_iterator it, difference_type offset) { return it += offset; }
  friend const_iterator operator+(difference_type offset, const_iterator it) { return it += offset; }
  friend const_iterator operator-(const_iterator it, difference_type offset) { return it -= offset; }
  friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
    return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
  }
  friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.index_ == b.index_; }
  friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.index_ <=> b.index_; }

 private:
  const NumberList* list_ = nullptr;
  std::size_t index_ = 0;
};

inline NumberList::const_iterator NumberList::begin() const { return const_iterator(this, 0); }
inline NumberList::const_iterator NumberList::end() const { return const_iterator(this, size()); }

}  // namespace zelvane
