#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/table_writer.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace zelvane {

// An Excel workbook of text cells and counts, made by libxlsxwriter: rows go to a sheet until it holds Excel's
// 1,048,576 rows, then to the next ("号码", "号码2", …), each sheet starting with the header row.
// libxlsxwriter writes the workbook under a name of ours in a folder of ours (its own temporary files
// too), which Finish copies into the file and removes: the file's writer alone replaces the target.
class XlsxTableWriter final : public TableWriter {
 public:
  static constexpr std::uint32_t kSheetRows = 1048576;  // the header row included
  static constexpr std::size_t kCellCharacters = 32767;

  explicit XlsxTableWriter(AtomicFileWriter& file);
  ~XlsxTableWriter() override;
  XlsxTableWriter(const XlsxTableWriter&) = delete;
  XlsxTableWriter& operator=(const XlsxTableWriter&) = delete;

  // Makes the folder and the workbook.
  FileResult Open(std::span<const TableColumn> columns);
  bool AddRow(std::span<const std::string_view> cells) override;
  FileResult Finish() override;

 private:
  void StartSheet();
  void WriteRow(std::span<const std::string_view> cells, bool isHeader, bool& whole);
  FileResult Failure(const std::string& reason) const;
  // Copies the closed workbook into the file, checking that it is a whole zip archive.
  FileResult CopyWorkbook();

  AtomicFileWriter& file_;
  std::filesystem::path folder_;  // ours, removed with everything in it
  std::string folderText_;        // the folder for libxlsxwriter, which keeps a pointer to it
  std::filesystem::path workbookPath_;
  std::vector<std::string> header_;
  std::vector<bool> counts_;  // by column
  lxw_workbook* workbook_ = nullptr;
  lxw_worksheet* sheet_ = nullptr;
  lxw_format* textFormat_ = nullptr;
  std::uint32_t row_ = 0;  // the next row of the sheet
  unsigned sheets_ = 0;
  int error_ = 0;  // libxlsxwriter's first error
};

}  // namespace zelvane
