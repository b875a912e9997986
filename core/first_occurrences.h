#pragma once

#include <cstdint>
#include <string_view>

#include "core/number_list.h"
#include "core/repeat_filter.h"

namespace zelvane {

// Tells each number's first occurrence from its repeats, keeping one copy of every number met.
class FirstOccurrences {
 public:
  FirstOccurrences() = default;
  FirstOccurrences(const FirstOccurrences&) = delete;  // the filter looks numbers up in this object's list
  FirstOccurrences& operator=(const FirstOccurrences&) = delete;

  // True when number was not admitted before.
  bool Admit(std::string_view number) {
    if (!filter_.Insert(number, Filter::Hash(number), numbers_.size())) return false;
    numbers_.Append(number);
    return true;
  }

 private:
  struct Resolve {
    const NumberList* numbers;
    std::string_view operator()(std::uint64_t id) const { return (*numbers)[id]; }
  };
  using Filter = RepeatFilter<Resolve>;

  NumberList numbers_;
  Filter filter_{Resolve{&numbers_}};
};

}  // namespace zelvane
