#include "ops/cell_reference.h"

#include <algorithm>

namespace zelvane {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string ColumnLetters(std::uint32_t column) {
  std::string letters;
  for (std::uint64_t rest = std::uint64_t{column} + 1; rest > 0; rest = (rest - 1) / 26) {
    letters += static_cast<char>('A' + (rest - 1) % 26);
  }
  std::reverse(letters.begin(), letters.end());
  return letters;
}

std::string CellReference(std::uint32_t row, std::uint32_t column) {
  return ColumnLetters(column) + std::to_string(std::uint64_t{row} + 1);
}

std::optional<std::uint32_t> ColumnOfLetters(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  std::uint32_t column = 0;
  for (const char c : letters) {
    if (!IsLetter(c)) return std::nullopt;
    column = column * 26 + static_cast<std::uint32_t>((c | 0x20) - 'a' + 1);
  }
  if (column > kMaxColumns) return std::nullopt;
  return column - 1;
}

std::optional<CellPosition> ParseCellReference(std::string_view reference) {
  const std::size_t digits = reference.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  if (digits == std::string_view::npos) return std::nullopt;
  const std::optional<std::uint32_t> column = ColumnOfLetters(reference.substr(0, digits));
  const std::string_view rowText = reference.substr(digits);
  if (!column || rowText.empty() || rowText.size() > 7 || rowText[0] == '0') return std::nullopt;
  std::uint32_t row = 0;
  for (const char c : rowText) {
    if (c < '0' || c > '9') return std::nullopt;
    row = row * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (row > kMaxRows) return std::nullopt;
  return CellPosition{row - 1, *column};
}

}  // namespace zelvane
