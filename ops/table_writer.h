#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"

namespace zelvane {

// A table's column: its header, and whether its cells are counts (whole numbers), which a workbook
// holds as numbers that Excel sums and sorts; everything else, and all of a CSV file, is text.
struct TableColumn {
  std::string_view title;
  bool counts = false;
};

// Rows of text cells (UTF-8) written into a file as CSV or as an Excel workbook, a header row first.
class TableWriter {
 public:
  virtual ~TableWriter() = default;

  // A row of cells; a cell that the format cannot hold (past a workbook's 32,767 characters) is
  // written as "?", and false says so.
  virtual bool AddRow(std::span<const std::string_view> cells) = 0;
  // The last bytes into the file (which its writer then commits); the first failure.
  virtual FileResult Finish() = 0;
};

// A writer of format (Csv or Xlsx) into file, opened already, with the columns' header row written.
// Nothing and error set when the writer could not be made.
std::unique_ptr<TableWriter> MakeTableWriter(NumberFileFormat format, AtomicFileWriter& file,
                                             std::span<const TableColumn> columns, FileResult& error);

}  // namespace zelvane
