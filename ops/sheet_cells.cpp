#include "ops/sheet_cells.h"

#include "ops/cell_reference.h"
#include "ops/figure_digits.h"

namespace zelvane {

namespace {

// A row number from 1 as the r attribute of a row gives it, counted from 0; nothing when it is none.
std::optional<std::uint32_t> RowOf(std::string_view text) {
  if (text.empty() || text.size() > 7 || text[0] == '0') return std::nullopt;
  std::uint32_t row = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    row = row * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (row > kMaxRows) return std::nullopt;
  return row - 1;
}

}  // namespace

void SheetCells::Fail(std::string text) {
  if (damage_.empty()) damage_ = std::move(text);
}

void SheetCells::Start(std::string_view name, const char** attributes) {
  if (name == "c") return StartCell(attributes);
  if (name == "row") {
    const char* r = AttributeValue(attributes, "r");
    const std::optional<std::uint32_t> row = r ? RowOf(r) : (rowSeen_ ? std::optional(row_ + 1) : std::optional(0u));
    if (!row || *row >= kMaxRows || (rowSeen_ && *row <= row_)) return Fail("行号不对");
    row_ = *row;
    rowSeen_ = true;
    rowNumbered_ = r != nullptr;
    columnSeen_ = false;
    return;
  }
  if (kind_ == Kind::None) return;
  if (name == "v" && kind_ != Kind::Inline) {
    into_ = kind_ == Kind::Text ? Into::CellText : Into::Value;
    valueLength_ = 0;
    if (into_ == Into::CellText) wanted_ = cells_.BeginCell(row_, column_);
  } else if (name == "is" && kind_ == Kind::Inline) {
    wanted_ = cells_.BeginCell(row_, column_);
  } else if (name == "t" && kind_ == Kind::Inline && phonetic_ == 0) {
    into_ = Into::CellText;
  } else if (name == "rPh") {
    ++phonetic_;
    into_ = Into::Nothing;
  }
}

void SheetCells::StartCell(const char** attributes) {
  const char* reference = AttributeValue(attributes, "r");
  if (reference) {
    const std::optional<CellPosition> position = ParseCellReference(reference);
    // A row without its number takes it from its first cell's reference, as long as rows go down.
    const bool rowFits = rowNumbered_  ? position && position->row == row_
                         : columnSeen_ ? position && position->row == row_
                                       : position && position->row >= row_;
    if (!rowFits || (columnSeen_ && position->column <= column_)) {
      return Fail(std::string("单元格“") + reference + "”的位置不对");
    }
    row_ = position->row;
    column_ = position->column;
  } else {
    column_ = columnSeen_ ? column_ + 1 : 0;
    if (column_ >= kMaxColumns) return Fail("一行超过" + std::to_string(kMaxColumns) + "列");
  }
  columnSeen_ = true;
  const char* type = AttributeValue(attributes, "t");
  const std::string_view t = type ? std::string_view(type) : std::string_view("n");
  kind_ = t == "n"           ? Kind::Number
          : t == "s"         ? Kind::Shared
          : t == "str"       ? Kind::Text
          : t == "inlineStr" ? Kind::Inline
                             : Kind::None;
  wanted_ = false;
  phonetic_ = 0;
}

void SheetCells::Text(std::string_view text) {
  if (into_ == Into::CellText) {
    if (wanted_) cells_.Text(text);
  } else if (into_ == Into::Value) {
    const std::size_t room = valueLength_ < value_.size() ? value_.size() - valueLength_ : 0;
    text.copy(value_.data() + valueLength_, std::min(room, text.size()));
    valueLength_ += text.size();
  }
}

void SheetCells::EndValue() {
  if (valueLength_ > value_.size()) return;  // longer than any figure or index
  const std::string_view value(value_.data(), valueLength_);
  if (kind_ == Kind::Shared) {
    std::size_t index = 0;
    for (const char c : value) {
      if (c < '0' || c > '9' || index > shared_.Count())
        return Fail("共享字符串的编号“" + std::string(value) + "”不对");
      index = index * 10 + static_cast<std::size_t>(c - '0');
    }
    if (value.empty() || index >= shared_.Count()) return Fail("共享字符串的编号“" + std::string(value) + "”不对");
    cells_.KnownCellAt(row_, column_, shared_.At(index));
    return;
  }
  std::array<char, 20> buffer{};
  const std::string_view digits = FigureDigits(value, buffer);
  if (digits.empty() || !cells_.BeginCell(row_, column_)) return;
  cells_.Text(digits);
  cells_.EndCell();
}

void SheetCells::End(std::string_view name) {
  if (name == "c") {
    kind_ = Kind::None;
    into_ = Into::Nothing;
  } else if (kind_ == Kind::None) {
    return;
  } else if (name == "v" && into_ == Into::Value) {
    into_ = Into::Nothing;
    EndValue();
  } else if (name == "v" && into_ == Into::CellText) {
    into_ = Into::Nothing;
    if (wanted_) cells_.EndCell();
  } else if (name == "t" && kind_ == Kind::Inline) {
    into_ = Into::Nothing;
  } else if (name == "is" && kind_ == Kind::Inline) {
    if (wanted_) cells_.EndCell();
  } else if (name == "rPh") {
    --phonetic_;
  }
}

}  // namespace zelvane
