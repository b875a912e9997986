#include "ops/xlsx_table_writer.h"

#include <xlsxwriter.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <random>
#include <system_error>

#include "core/platform/files.h"
#include "core/platform/memory_left.h"

namespace zelvane {

namespace {

// Wide enough for a landline with its area code and a 其他 token of some length.
constexpr double kColumnWidth = 20;

// The end of central directory record that closes every zip archive libxlsxwriter writes (no comment).
constexpr std::string_view kEndOfZip("PK\x05\x06", 4);
constexpr std::size_t kEndOfZipSize = 22;

std::size_t Utf8Characters(std::string_view text) {
  std::size_t characters = 0;
  for (char byte : text) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return characters;
}

// A count cell's whole number; nothing for text that is not one, which stays text.
std::optional<std::uint64_t> CountOf(std::string_view text) {
  std::uint64_t count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return count;
}

// A new folder of ours among the system's temporary files.
std::filesystem::path MakeFolder(std::error_code& error) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  const std::filesystem::path parent = SystemTemporaryFolder();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "zelvane-xlsx-%08x-%u", seed, counter.fetch_add(1));
    if (std::filesystem::create_directory(parent / name, error)) return parent / name;
    if (error) break;
  }
  if (!error) error = std::make_error_code(std::errc::file_exists);
  return {};
}

}  // namespace

XlsxTableWriter::XlsxTableWriter(AtomicFileWriter& file) : file_(file) {}

XlsxTableWriter::~XlsxTableWriter() {
  if (workbook_ != nullptr) lxw_workbook_free(workbook_);
  if (!folder_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
}

FileResult XlsxTableWriter::Failure(const std::string& reason) const {
  return FileError{FileOperation::Write, file_.target(), reason};
}

FileResult XlsxTableWriter::Open(std::span<const TableColumn> columns) {
  for (const TableColumn& column : columns) {
    header_.emplace_back(column.title);
    counts_.push_back(column.counts);
  }
  std::error_code error;
  folder_ = MakeFolder(error);
  if (folder_.empty()) return Failure("无法建立临时文件夹：" + SystemErrorReason(error.value()));
  folderText_ = PathInMessage(folder_);
  workbookPath_ = folder_ / "book.xlsx";
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;  // rows go out as they come: memory stays the same at any size
  options.tmpdir = folderText_.data();
  workbook_ = workbook_new_opt(PathInMessage(workbookPath_).c_str(), &options);
  if (workbook_ == nullptr) return Failure("无法建立 Excel 工作簿");
  textFormat_ = workbook_add_format(workbook_);
  if (textFormat_ == nullptr) return Failure("无法建立 Excel 工作簿");
  format_set_num_format(textFormat_, "@");  // what is typed into the column stays text as well
  StartSheet();
  return error_ != 0 ? Failure(lxw_strerror(static_cast<lxw_error>(error_))) : std::nullopt;
}

void XlsxTableWriter::StartSheet() {
  ++sheets_;
  const std::string name = sheets_ == 1 ? "号码" : "号码" + std::to_string(sheets_);
  sheet_ = workbook_add_worksheet(workbook_, name.c_str());
  row_ = 0;
  if (sheet_ == nullptr) {
    error_ = LXW_ERROR_MEMORY_MALLOC_FAILED;
    return;
  }
  for (std::size_t column = 0; column < header_.size(); ++column) {
    const auto at = static_cast<lxw_col_t>(column);
    const lxw_error error = worksheet_set_column(sheet_, at, at, kColumnWidth, counts_[column] ? nullptr : textFormat_);
    if (error != LXW_NO_ERROR && error_ == 0) error_ = error;
  }
  std::vector<std::string_view> header(header_.begin(), header_.end());
  bool whole = true;
  WriteRow(header, true, whole);
}

void XlsxTableWriter::WriteRow(std::span<const std::string_view> cells, bool isHeader, bool& whole) {
  for (std::size_t column = 0; column < cells.size(); ++column) {
    const std::optional<std::uint64_t> count =
        isHeader || column >= counts_.size() || !counts_[column] ? std::nullopt : CountOf(cells[column]);
    if (count) {
      // Exact: a double holds every whole number below 2^53.
      const lxw_error error =
          worksheet_write_number(sheet_, row_, static_cast<lxw_col_t>(column), static_cast<double>(*count), nullptr);
      if (error != LXW_NO_ERROR && error_ == 0) error_ = error;
      continue;
    }
    std::string cell(cells[column]);
    if (Utf8Characters(cell) > kCellCharacters) {
      cell = "?";
      whole = false;
    }
    const lxw_error error = worksheet_write_string(sheet_, row_, static_cast<lxw_col_t>(column), cell.c_str(), nullptr);
    if (error != LXW_NO_ERROR && error_ == 0) error_ = error;
  }
  ++row_;
}

bool XlsxTableWriter::AddRow(std::span<const std::string_view> cells) {
  if (sheet_ == nullptr) return true;
  if (row_ == kSheetRows) StartSheet();
  bool whole = true;
  if (sheet_ != nullptr) WriteRow(cells, false, whole);
  return whole;
}

FileResult XlsxTableWriter::Finish() {
  if (workbook_ == nullptr) return Failure("无法建立 Excel 工作簿");
  const lxw_error closed = workbook_close(workbook_);  // frees the workbook whatever happens
  workbook_ = nullptr;
  if (error_ != 0)
    return Failure("无法写入 Excel 工作簿：" + std::string(lxw_strerror(static_cast<lxw_error>(error_))));
  if (closed != LXW_NO_ERROR) return Failure("无法写入 Excel 工作簿：" + std::string(lxw_strerror(closed)));
  return CopyWorkbook();
}

FileResult XlsxTableWriter::CopyWorkbook() {
  const int fd = OpenForReading(workbookPath_);
  if (fd < 0) return MakeFileError(FileOperation::Write, file_.target(), errno);
  std::array<char, 1 << 16> buffer;
  std::string tail;  // the last bytes, for the end of the archive
  std::int64_t read;
  while ((read = ReadSome(fd, buffer.data(), buffer.size())) > 0) {
    const std::string_view bytes(buffer.data(), static_cast<std::size_t>(read));
    file_.Write(bytes);
    tail += bytes.substr(bytes.size() > kEndOfZipSize ? bytes.size() - kEndOfZipSize : 0);
    if (tail.size() > kEndOfZipSize) tail.erase(0, tail.size() - kEndOfZipSize);
  }
  const int readError = read < 0 ? errno : 0;
  CloseFile(fd);
  if (readError != 0) return MakeFileError(FileOperation::Write, file_.target(), readError);
  // libxlsxwriter has been seen to report success for a workbook it could not write whole.
  if (tail.size() != kEndOfZipSize || !tail.starts_with(kEndOfZip)) return Failure("Excel 工作簿没有写完整");
  return std::nullopt;
}

}  // namespace zelvane
