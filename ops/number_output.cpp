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

std::vector<std::string> WrittenNumbersNotes(const NumberOutputCounts& written, CountForm form) {
  std::vector<std::string> notes;
  if (written.replaced != 0) notes.push_back(CountText(written.replaced, form) + "个号码含有不是 GBK 文字的字节，写成了“?”");
  if (written.leftOut != 0) {
    notes.push_back(CountText(written.leftOut, form) + "个不是号码的内容（含有数字以外的字符）没有写出");
  }
  return notes;
}

}  // namespace zelvane
