#include "ui/qt/range_selection.h"

#include <algorithm>

namespace zelvane {

namespace {

// The first range that ends at or after item: the one holding it, touching it, or after it.
auto FirstEndingAtOrAfter(std::vector<RangeSelection::Range>& ranges, std::size_t item) {
  return std::lower_bound(ranges.begin(), ranges.end(), item,
                          [](const RangeSelection::Range& range, std::size_t value) { return range.end < value; });
}

}  // namespace

void RangeSelection::Select(std::size_t begin, std::size_t end) {
  if (begin >= end) return;
  auto first = FirstEndingAtOrAfter(ranges_, begin);
  auto last = first;
  while (last != ranges_.end() && last->begin <= end) {
    begin = std::min(begin, last->begin);
    end = std::max(end, last->end);
    ++last;
  }
  first = ranges_.erase(first, last);
  ranges_.insert(first, Range{begin, end});
}

void RangeSelection::Deselect(std::size_t begin, std::size_t end) {
  if (begin >= end) return;
  auto first = FirstEndingAtOrAfter(ranges_, begin + 1);
  std::vector<Range> kept;
  auto last = first;
  for (; last != ranges_.end() && last->begin < end; ++last) {
    if (last->begin < begin) kept.push_back(Range{last->begin, begin});
    if (last->end > end) kept.push_back(Range{end, last->end});
  }
  first = ranges_.erase(first, last);
  ranges_.insert(first, kept.begin(), kept.end());
}

void RangeSelection::Toggle(std::size_t item) {
  if (Contains(item)) {
    Deselect(item, item + 1);
  } else {
    Select(item, item + 1);
  }
}

bool RangeSelection::Contains(std::size_t item) const {
  const auto after = std::upper_bound(ranges_.begin(), ranges_.end(), item,
                                      [](std::size_t value, const Range& range) { return value < range.begin; });
  return after != ranges_.begin() && std::prev(after)->end > item;
}

std::size_t RangeSelection::Count() const {
  std::size_t count = 0;
  for (const Range& range : ranges_) count += range.end - range.begin;
  return count;
}

}  // namespace zelvane
