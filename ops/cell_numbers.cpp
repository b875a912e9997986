#include "ops/cell_numbers.h"

#include <utility>

#include "ops/cell_reference.h"

namespace zelvane {

namespace {

// The column that a name of letters or a number from 1 gives.
std::optional<std::uint32_t> PositionOf(std::string_view name) {
  if (const std::optional<std::uint32_t> letters = ColumnOfLetters(name)) return letters;
  if (name.empty() || name.size() > 5 || name.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  const std::uint32_t number = static_cast<std::uint32_t>(std::stoul(std::string(name)));
  if (number < 1 || number > kMaxColumns) return std::nullopt;
  return number - 1;
}

}  // namespace

CellNumbers::CellNumbers(const ColumnChoice& choice, Sink sink)
    : sink_(std::move(sink)),
      headerTexts_(choice.headerTexts),
      text_(headerTexts_),
      every_(choice.name.empty()),
      position_(PositionOf(choice.name)) {}

void CellNumbers::StartRow(std::uint32_t row) {
  if (!firstRow_) firstRow_ = row;
  if (row != *firstRow_ && position_ && !column_) {
    // The first row named no header so: the letters or the number it was.
    column_ = position_;
    if (heldRounded_) CountRounded(*firstRow_, *position_);
    for (std::size_t at = 0, end; at < held_.size(); at = end + 1) {
      end = held_.find('\n', at);
      sink_(std::string_view(held_).substr(at, end - at));
    }
    held_.clear();
  }
  row_ = row;
}

CellNumbers::Use CellNumbers::UseOf(std::uint32_t column) const {
  if (every_) return Use::Take;
  if (!column_) return position_ && row_ == *firstRow_ && column == *position_ ? Use::Hold : Use::Skip;
  if (headerRow_ && row_ <= *headerRow_) return Use::Skip;
  return column == *column_ ? Use::Take : Use::Skip;
}

bool CellNumbers::BeginCell(std::uint32_t row, std::uint32_t column) {
  if (!firstRow_ || row != row_) StartRow(row);
  cellColumn_ = column;
  use_ = UseOf(column);
  // Until the column is known every cell may be its header.
  return use_ != Use::Skip || !column_;
}

void CellNumbers::Take(std::string_view number) {
  if (use_ == Use::Take) {
    sink_(number);
  } else if (use_ == Use::Hold) {
    held_.append(number);
    held_ += '\n';
  }
}

void CellNumbers::EndCell() {
  const std::string_view text = text_.Head();  // its bytes stay until the next cell is fed
  text_.End([this](std::string_view number) { Take(number); });
  EndOfCell(text_.WasRounded(), text_.WasHeader(), text);
}

void CellNumbers::KnownCellAt(std::uint32_t row, std::uint32_t column, const KnownCell& cell) {
  if (!BeginCell(row, column)) return;
  for (std::size_t at = 0, end; at < cell.numbers.size(); at = end + 1) {
    end = cell.numbers.find('\n', at);
    Take(cell.numbers.substr(at, end - at));
  }
  EndOfCell(cell.rounded, cell.header, cell.text);
}

void CellNumbers::EndOfCell(bool rounded, bool header, std::string_view text) {
  if (cellEnd_) cellEnd_(row_, cellColumn_, text);
  if (header && !column_ && (!position_ || row_ == *firstRow_)) {
    column_ = cellColumn_;
    headerRow_ = row_;
    held_.clear();
    heldRounded_ = false;
    return;
  }
  if (rounded && use_ == Use::Take) CountRounded(row_, cellColumn_);
  if (rounded && use_ == Use::Hold) heldRounded_ = true;
}

void CellNumbers::CountRounded(std::uint32_t row, std::uint32_t column) {
  if (roundedCells_++ == 0) firstRounded_ = CellReference(row, column);
}

bool CellNumbers::Finish() {
  if (firstRow_ && position_ && !column_) StartRow(*firstRow_ + 1);
  return !every_ && !column_ && !position_;
}

}  // namespace zelvane
