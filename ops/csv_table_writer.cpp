#include "ops/csv_table_writer.h"

#include <vector>

namespace zelvane {

CsvTableWriter::CsvTableWriter(AtomicFileWriter& file, std::span<const TableColumn> columns) : file_(file) {
  file_.Write("\xEF\xBB\xBF");
  std::vector<std::string_view> header;
  for (const TableColumn& column : columns) header.push_back(column.title);
  AddRow(header);
}

bool CsvTableWriter::AddRow(std::span<const std::string_view> cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) file_.Write(",");
    WriteField(cells[i]);
  }
  file_.Write("\r\n");
  return true;
}

void CsvTableWriter::WriteField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return file_.Write(field);
  file_.Write("\"");
  for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
    file_.Write(field.substr(0, quote + 1));
    file_.Write("\"");
    field.remove_prefix(quote + 1);
  }
  file_.Write(field);
  file_.Write("\"");
}

}  // namespace zelvane
