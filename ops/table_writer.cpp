#include "ops/table_writer.h"

#include "ops/csv_table_writer.h"
#include "ops/xlsx_table_writer.h"

namespace zelvane {

std::unique_ptr<TableWriter> MakeTableWriter(NumberFileFormat format, AtomicFileWriter& file,
                                             std::span<const TableColumn> columns, FileResult& error) {
  if (format == NumberFileFormat::Xlsx) {
    auto workbook = std::make_unique<XlsxTableWriter>(file);
    error = workbook->Open(columns);
    if (error) return nullptr;
    return workbook;
  }
  return std::make_unique<CsvTableWriter>(file, columns);
}

}  // namespace zelvane
