#include "ops/number_output.h"

#include "ops/cell_text.h"

namespace zelvane {

FileResult NumberOutput::Begin() {
  if (format_ == NumberFileFormat::Text) return std::nullopt;
  const TableColumn columns[] = {{kNumberColumnHeader}};
  FileResult error;
  table_ = MakeTableWriter(format_, file_, columns, error);
  return error;
}

void NumberOutput::AddCell(std::string_view number) {
  cell_.clear();
  bool whole = AppendCellText(number, cell_);
  const std::string_view cells[] = {cell_};
  whole &= table_->AddRow(cells);
  replaced_ += !whole;
}

}  // namespace zelvane
