#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvane {

// A worksheet has at most 16,384 columns (A to XFD) and 1,048,576 rows.
inline constexpr std::uint32_t kMaxColumns = 16384;
inline constexpr std::uint32_t kMaxRows = 1048576;

// The column letters of a column counted from 0: 0 is A, 26 is AA.
std::string ColumnLetters(std::uint32_t column);

// A cell's reference as a spreadsheet names it, row and column counted from 0: (6, 1) is B7.
std::string CellReference(std::uint32_t row, std::uint32_t column);

// The column counted from 0 that letters (A to XFD, either case) name; nothing for other text.
std::optional<std::uint32_t> ColumnOfLetters(std::string_view letters);

// The row and column counted from 0 of a reference such as B7; nothing for other text or a cell
// outside a worksheet's bounds.
struct CellPosition {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
};
std::optional<CellPosition> ParseCellReference(std::string_view reference);

}  // namespace zelvane
