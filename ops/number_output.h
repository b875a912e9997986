#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"
#include "ops/table_writer.h"

namespace zelvane {

// The header of the one column that number files in CSV and workbooks have.
inline constexpr std::string_view kNumberColumnHeader = "号码";

// The numbers of one file in its format, into the file's writer (opened already): as text each
// followed by the separator, as its bytes; as CSV or a workbook one cell each, converted from GBK to
// UTF-8 (AppendCellText), with what could not be converted counted.
class NumberOutput {
 public:
  NumberOutput(NumberFileFormat format, AtomicFileWriter& file, std::string_view separator)
      : format_(format), file_(file), separator_(separator) {}

  // Starts the file (a CSV header, a workbook).
  FileResult Begin();

  void Add(std::string_view number) {
    if (!table_) {
      file_.Write(number);
      file_.Write(separator_);
      return;
    }
    AddCell(number);
  }

  // The last bytes into the file; its writer then commits it.
  FileResult End() { return table_ ? table_->Finish() : std::nullopt; }

  // The numbers written with a "?" for what could not be converted.
  std::uint64_t replaced() const { return replaced_; }

 private:
  void AddCell(std::string_view number);

  NumberFileFormat format_;
  AtomicFileWriter& file_;
  std::string separator_;
  std::unique_ptr<TableWriter> table_;
  std::string cell_;
  std::uint64_t replaced_ = 0;
};

}  // namespace zelvane
