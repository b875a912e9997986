#pragma once

#include <cstdint>
#include <string>

namespace zelvane {

// How a count is written: plain digits in the command line's output, which scripts read; grouped by
// thousands ("1,104,410") everywhere in the window, where counts of millions must read at a glance.
enum class CountForm { Digits, Grouped };

std::string CountText(std::uint64_t count, CountForm form);

}  // namespace zelvane
