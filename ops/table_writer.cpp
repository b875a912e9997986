#include "ops/table_writer.h"

#include "ops/csv_table_writer.h"
#include "ops/xlsx_table_writer.h"

namespace zelvane {

std::unique_ptr<TableWriter> MakeTableWriter(NumberFileFormat format, AtomicFileWriter& file,
                                             std::span<const std::string_view> header, FileResult& error) {
  if (format == NumberFileFormat::Xlsx) {
    auto workbook = std::make_unique<XlsxTableWriter>(file);
    error = workbook->Open(header);
    if (error) return nullptr;
    return workbook;
  }
  return std::make_unique<CsvTableWriter>(file, header);
}

}  // namespace zelvane
