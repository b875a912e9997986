#pragma once

#include <array>
#include <string_view>

namespace zelvane {

// The digits of a number cell's value as a workbook stores it ("13800138000", "1.3800138E10") when it
// is a whole number of at most 20 digits, exactly as written (no trip through floating point); empty
// for a fraction (a time of day, an amount), a negative value or other text. A date is a whole number
// of days, far too short for a phone number.
std::string_view FigureDigits(std::string_view value, std::array<char, 20>& buffer);

}  // namespace zelvane
