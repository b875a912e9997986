#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace zelvane {

// A growing list of numbers kept compactly: all bytes in one buffer, plus where each number ends.
class NumberList {
 public:
  class const_iterator;

  void Append(std::string_view number) {
    bytes_.append(number);
    ends_.push_back(bytes_.size());
  }

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }

  std::string_view operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_.data() + begin, ends_[index] - begin);
  }

  // Drops the numbers from index count on (undoes the appends of a failed import).
  void Truncate(std::size_t count);

  const_iterator begin() const;
  const_iterator end() const;

 private:
  std::string bytes_;
  std::vector<std::uint64_t> ends_;
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
