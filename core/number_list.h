#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace zelvane {

// A growing list of numbers (at most 30 bytes each) kept compactly: their bytes, and one 64-bit
// reference per number, in large blocks that are never moved or copied as the list grows.
class NumberList {
 public:
  class const_iterator;

  void Append(std::string_view number) {
    // ">=" keeps every offset, even an empty number's, inside an existing block.
    if (bytes_.empty() || bytesUsed_ + number.size() >= kBlockSize) {
      bytes_.push_back(AllocateBlock());
      bytesUsed_ = 0;
    }
    if (size_ % kRefsPerBlock == 0) refs_.push_back(AllocateBlock());
    const std::uint64_t offset = (bytes_.size() - 1) * kBlockSize + bytesUsed_;
    std::memcpy(bytes_.back().get() + bytesUsed_, number.data(), number.size());
    bytesUsed_ += number.size();
    Ref(size_++) = offset << kLengthBits | number.size();
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  std::string_view operator[](std::size_t index) const {
    const std::uint64_t ref = Ref(index);
    const std::uint64_t offset = ref >> kLengthBits;
    return std::string_view(bytes_[offset / kBlockSize].get() + offset % kBlockSize, ref & kLengthMask);
  }

  // Drops the numbers from index count on (undoes the appends of a failed import).
  void Truncate(std::size_t count);

  const_iterator begin() const;
  const_iterator end() const;

 private:
  struct FreeBlock {
    void operator()(char* block) const;
  };
  using Block = std::unique_ptr<char[], FreeBlock>;

  // 2 MiB, the size of a huge page: a large list costs few page faults.
  static constexpr std::size_t kBlockSize = std::size_t{1} << 21;
  static constexpr std::size_t kRefsPerBlock = kBlockSize / sizeof(std::uint64_t);
  static constexpr unsigned kLengthBits = 6;
  static constexpr std::uint64_t kLengthMask = (std::uint64_t{1} << kLengthBits) - 1;

  static Block AllocateBlock();

  std::uint64_t& Ref(std::size_t index) const {
    return reinterpret_cast<std::uint64_t*>(refs_[index / kRefsPerBlock].get())[index % kRefsPerBlock];
  }

  std::vector<Block> bytes_;
  std::size_t bytesUsed_ = 0;
  std::vector<Block> refs_;  // per number: its offset over all byte blocks, then its length
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
  const_iterator& operator++() {
    ++index_;
    return *this;
  }
  const_iterator operator++(int) {
    const_iterator old = *this;
    ++index_;
    return old;
  }
  difference_type operator-(const const_iterator& other) const {
    return static_cast<difference_type>(index_) - static_cast<difference_type>(other.index_);
  }
  bool operator==(const const_iterator& other) const { return index_ == other.index_; }

 private:
  const NumberList* list_ = nullptr;
  std::size_t index_ = 0;
};

inline NumberList::const_iterator NumberList::begin() const { return const_iterator(this, 0); }
inline NumberList::const_iterator NumberList::end() const { return const_iterator(this, size()); }

}  // namespace zelvane
