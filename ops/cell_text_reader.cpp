#include "ops/cell_text_reader.h"

namespace zelvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the start of text, taken off it.
std::size_t TakeDigits(std::string_view& text) {
  std::size_t count = 0;
  while (count < text.size() && IsDigit(text[count])) ++count;
  text.remove_prefix(count);
  return count;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsRoundedFigure(std::string_view text) {
  text = TrimBlanks(text);
  const std::size_t whole = TakeDigits(text);
  if (whole == 0) return false;
  if (text.starts_with('.')) {
    text.remove_prefix(1);
    if (TakeDigits(text) == 0) return false;
  }
  if (!text.starts_with('E') && !text.starts_with('e')) return false;
  text.remove_prefix(1);
  if (text.starts_with('+')) text.remove_prefix(1);
  const std::string_view exponentText = text;
  const std::size_t exponentDigits = TakeDigits(text);
  if (exponentDigits == 0 || exponentDigits > 3 || !text.empty()) return false;
  std::size_t exponent = 0;
  for (const char c : exponentText) exponent = exponent * 10 + static_cast<std::size_t>(c - '0');
  return whole + exponent >= 10;
}

}  // namespace zelvane
