#include "ops/number_output.h"

#include "ops/cell_text.h"

namespace zelvane {

std::uint64_t WrittenSize(NumberFileStyle style, std::uint64_t count, std::uint64_t textBytes,
                          std::size_t separatorSize) {
  const std::optional<DigestKind> digest = DigestOfForm(style.form);
  return (digest ? count * DigestHexLength(*digest) : textBytes) + count * separatorSize;
}

NumberOutput::NumberOutput(NumberFileStyle style, AtomicFileWriter& file, std::string_view separator)
    : style_(style), asTheyAre_(AsTheyAre(style)), file_(file), separator_(separator) {}

FileResult NumberOutput::Begin() {
  if (style_.form != NumberForm::Plain) formed_.emplace(style_.form);
  if (style_.format == NumberFileFormat::Text) return std::nullopt;
  const TableColumn columns[] = {{kNumberColumnHeader}};
  FileResult error;
  table_ = MakeTableWriter(style_.format, file_, columns, error);
  return error;
}

void NumberOutput::AddInStyle(std::string_view number) {
  if (!formed_) return Put(number);
  formed_->Add(number, [this](std::string_view text) { Put(text); });
}

FileResult NumberOutput::End() {
  if (formed_) formed_->Finish([this](std::string_view text) { Put(text); });
  return table_ ? table_->Finish() : std::nullopt;
}

void NumberOutput::Put(std::string_view text) {
  if (!table_) {
    file_.Write(text);
    file_.Write(separator_);
    return;
  }
  cell_.clear();
  bool whole = AppendCellText(text, cell_);
  const std::string_view cells[] = {cell_};
  whole &= table_->AddRow(cells);
  replaced_ += !whole;
}

}  // namespace zelvane
