#pragma once

#include <span>
#include <string_view>

#include "ops/atomic_file_writer.h"
#include "ops/table_writer.h"

namespace zelvane {

// CSV as RFC 4180 has it, in UTF-8 with a byte-order mark (so that Excel on a Chinese Windows reads it
// as UTF-8): fields separated by commas, rows ended by CR LF, a field that holds a comma, a quote, CR
// or LF quoted with its quotes doubled.
class CsvTableWriter final : public TableWriter {
 public:
  CsvTableWriter(AtomicFileWriter& file, std::span<const TableColumn> columns);
  bool AddRow(std::span<const std::string_view> cells) override;
  FileResult Finish() override { return std::nullopt; }

 private:
  void WriteField(std::string_view field);

  AtomicFileWriter& file_;
};

}  // namespace zelvane
