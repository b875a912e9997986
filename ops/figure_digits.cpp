#include "ops/figure_digits.h"

#include <cstddef>

namespace zelvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view FigureDigits(std::string_view value, std::array<char, 20>& buffer) {
  // The mantissa's digits without its point, and the power of ten they are to be taken at.
  std::size_t count = 0;
  long exponent = 0;
  bool seenDigit = false;
  bool afterPoint = false;
  std::size_t at = 0;
  if (at < value.size() && value[at] == '+') ++at;
  for (; at < value.size(); ++at) {
    const char c = value[at];
    if (c == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    seenDigit = true;
    if (count == 0 && c == '0') {
      if (afterPoint) --exponent;  // 0.00123: leading zeros after the point only shift it
      continue;
    }
    if (count == buffer.size()) {
      if (c != '0') return {};  // more digits than any phone number, or a fraction
      if (!afterPoint) ++exponent;
      continue;
    }
    buffer[count++] = c;
    if (afterPoint) --exponent;
  }
  if (!seenDigit) return {};
  if (at < value.size()) {
    if (value[at] != 'E' && value[at] != 'e') return {};
    ++at;
    bool negative = false;
    if (at < value.size() && (value[at] == '+' || value[at] == '-')) negative = value[at++] == '-';
    long power = 0;
    std::size_t powerDigits = 0;
    for (; at < value.size() && IsDigit(value[at]); ++at, ++powerDigits) {
      if (power < 1000) power = power * 10 + (value[at] - '0');
    }
    if (powerDigits == 0 || at != value.size()) return {};
    exponent += negative ? -power : power;
  }
  // Trailing zeros of the mantissa make up for a negative power.
  while (exponent < 0 && count > 0 && buffer[count - 1] == '0') {
    --count;
    ++exponent;
  }
  if (exponent < 0) return {};
  if (count == 0) return std::string_view("0");
  if (count + static_cast<std::size_t>(exponent) > buffer.size()) return {};
  for (long zero = 0; zero < exponent; ++zero) buffer[count++] = '0';
  return std::string_view(buffer.data(), count);
}

}  // namespace zelvane
