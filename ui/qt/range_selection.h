#pragma once

#include <cstddef>
#include <vector>

namespace zelvane {

// The selected items of a list as sorted, disjoint, non-adjacent ranges, so that selecting ten
// million items costs as little as selecting one.
class RangeSelection {
 public:
  struct Range {
    std::size_t begin = 0;  // first selected item
    std::size_t end = 0;    // one past the last
    friend bool operator==(const Range&, const Range&) = default;
  };

  void Clear() { ranges_.clear(); }
  // Adds the items [begin, end).
  void Select(std::size_t begin, std::size_t end);
  // Removes the items [begin, end).
  void Deselect(std::size_t begin, std::size_t end);
  void Toggle(std::size_t item);

  bool Contains(std::size_t item) const;
  bool Empty() const { return ranges_.empty(); }
  std::size_t Count() const;
  const std::vector<Range>& Ranges() const { return ranges_; }

 private:
  std::vector<Range> ranges_;
};

}  // namespace zelvane
