#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ops/cell_text_reader.h"

namespace zelvane {

// Which cells of a table are read: every one, or one column, named by its letters (B), its number
// from 1, or its header text (手机). A header of the first row that matches the name exactly wins
// over the letters or the number; header text that is neither is looked for in every row from the
// top, and the rows down to it are not read.
struct ColumnChoice {
  std::string name;                      // empty: every column
  std::vector<std::string> headerTexts;  // name as the file may spell it (UTF-8, GBK), blanks trimmed
};

// A cell whose text was read before (a shared string): its numbers, each followed by a line break,
// and what CellTextReader told of it.
struct KnownCell {
  std::string_view numbers;
  bool rounded = false;
  bool header = false;
  std::string_view text;  // its text, where it was kept (see SharedStrings)
};

// Takes a table's cells in order, row by row and left to right (rows may be left out), and hands the
// numbers of the chosen cells to a sink in that order. Counts the chosen cells that hold a rounded
// figure.
class CellNumbers {
 public:
  using Sink = std::function<void(std::string_view number)>;
  // Told of each cell read once it ended: where it is, and its text when short (see CellTextReader::Head).
  using CellEnd = std::function<void(std::uint32_t row, std::uint32_t column, std::string_view text)>;

  CellNumbers(const ColumnChoice& choice, Sink sink);

  void TellCellEnds(CellEnd cellEnd) { cellEnd_ = std::move(cellEnd); }
  // The cell being read.
  std::uint32_t Row() const { return row_; }
  std::uint32_t Column() const { return cellColumn_; }

  // Begins the cell at row and column (from 0); false when its text is not needed, and then Text and
  // EndCell are not called for it.
  bool BeginCell(std::uint32_t row, std::uint32_t column);
  void Text(std::string_view piece) {
    text_.Feed(piece, [this](std::string_view number) { Take(number); });
  }
  void EndCell();

  // A cell whose text is known already.
  void KnownCellAt(std::uint32_t row, std::uint32_t column, const KnownCell& cell);

  // After the last cell: whether a header was looked for and never found (nothing was read then).
  bool Finish();

  // The header looked for, as the file may spell it.
  const std::vector<std::string>& HeaderTexts() const { return headerTexts_; }

  std::uint64_t RoundedCells() const { return roundedCells_; }
  // The reference of the first of them (B7).
  const std::string& FirstRoundedCell() const { return firstRounded_; }

 private:
  enum class Use { Take, Hold, Skip };

  void StartRow(std::uint32_t row);
  // What becomes of the cell's numbers.
  Use UseOf(std::uint32_t column) const;
  void EndOfCell(bool rounded, bool header, std::string_view text);
  void Take(std::string_view number);
  void CountRounded(std::uint32_t row, std::uint32_t column);

  Sink sink_;
  CellEnd cellEnd_;
  std::vector<std::string> headerTexts_;
  CellTextReader text_;
  bool every_;
  std::optional<std::uint32_t> position_;  // the column that letters or a number name
  std::optional<std::uint32_t> column_;    // the column read, once known
  std::optional<std::uint32_t> firstRow_;
  std::uint32_t row_ = 0;
  std::uint32_t cellColumn_ = 0;
  std::optional<std::uint32_t> headerRow_;
  Use use_ = Use::Skip;
  // The first row's cell at position_, until the row's headers are known.
  std::string held_;
  bool heldRounded_ = false;
  std::uint64_t roundedCells_ = 0;
  std::string firstRounded_;
};

}  // namespace zelvane
