#include "ops/number_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "core/number_finder.h"
#include "core/platform/files.h"
#include "core/text_encoding.h"
#include "ops/cell_numbers.h"
#include "ops/csv_reader.h"
#include "ops/file_failure.h"
#include "ops/workbook_reader.h"

namespace zelvane {

namespace {

constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::size_t kPieceSize = 64 << 10;

// The found numbers as text, each followed by a line break, handed over in pieces of about 64 KiB.
class NumberLines {
 public:
  explicit NumberLines(const NumberFile::Sink& sink) : sink_(sink) { text_.reserve(kPieceSize + 64); }

  void Add(std::string_view number) {
    text_.append(number);
    text_ += '\n';
    if (text_.size() >= kPieceSize) Flush();
  }

  void Flush() {
    if (!text_.empty()) sink_(text_);
    text_.clear();
  }

 private:
  const NumberFile::Sink& sink_;
  std::string text_;
};

std::string ExtensionOf(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; });
  return extension;
}

// Reads the start of a file for its signature; what there is of it in a shorter file.
FileResult FileStart(const std::filesystem::path& path, std::string& start) {
  const int fd = OpenForReading(path);
  if (fd < 0) return MakeFileError(FileOperation::Read, path, errno);
  PathStatus status;
  int error = StatusOf(fd, status);
  if (error == 0 && status.regular) {
    start.resize(std::min<std::uint64_t>(status.size, kCompoundFileSignature.size()));
    error = ReadAt(fd, 0, start.data(), start.size());
  }
  CloseFile(fd);
  return error == 0 ? std::nullopt : FileResult(MakeFileError(FileOperation::Read, path, error));
}

ColumnChoice ChoiceFor(const std::string& column, bool alsoGbk) {
  ColumnChoice choice{column, {}};
  if (column.empty()) return choice;
  const std::string trimmed(TrimBlanks(column));
  choice.headerTexts.push_back(trimmed);
  if (alsoGbk) {
    if (const std::optional<std::string> gbk = EncodeGbk(trimmed); gbk && *gbk != trimmed) {
      choice.headerTexts.push_back(*gbk);
    }
  }
  return choice;
}

FileError NoSuchColumn(const std::filesystem::path& path, const std::string& column) {
  FileError error{FileOperation::Read, path, "找不到标题为“" + column + "”的列"};
  error.usage = true;
  return error;
}

void Report(const InputReading& reading, const std::filesystem::path& path, const CellNumbers& cells) {
  if (cells.RoundedCells() > 0 && reading.roundedCells) {
    reading.roundedCells(path, RoundedCells{cells.RoundedCells(), cells.FirstRoundedCell()});
  }
}

}  // namespace

FileResult FormatOfInput(const std::filesystem::path& path, const InputReading& reading, InputFormat& format) {
  format = reading.extract ? InputFormat::TextNumbers : InputFormat::Text;
  if (path == kStandardInput) return std::nullopt;
  std::string start;
  if (FileResult error = FileStart(path, start)) return error;
  const std::string extension = ExtensionOf(path);
  if (start == kCompoundFileSignature) return LegacyWorkbookError(path);
  if (start.starts_with(kZipSignature) || extension == ".xlsx" || extension == ".xlsm") {
    format = InputFormat::Workbook;
  } else if (extension == ".csv") {
    format = InputFormat::Csv;
  }
  return std::nullopt;
}

FileResult ReadInput(const std::filesystem::path& path, InputKinds kinds, const InputReading& reading,
                     const NumberFile::Sink& sink, WorkProgress* progress) {
  InputFormat format = InputFormat::Text;
  if (FileResult error = FormatOfInput(path, reading, format)) return error;
  NumberFile file;
  if (format != InputFormat::Workbook) {
    if (FileResult error = file.Open(path, kinds)) return error;
  }
  if (format == InputFormat::Text) return file.Read(sink, progress);
  NumberLines lines(sink);
  const auto add = [&lines](std::string_view number) { lines.Add(number); };
  FileResult error;
  try {
    if (format == InputFormat::TextNumbers) {
      NumberFinder finder;
      error = file.Read([&](std::string_view piece) { finder.Feed(piece, add); }, progress);
      if (!error) finder.Finish(add);
    } else {
      CellNumbers cells(ChoiceFor(reading.column, format == InputFormat::Csv), add);
      if (format == InputFormat::Csv) {
        CsvReader csv(cells);
        error = file.Read([&csv](std::string_view piece) { csv.Feed(piece); }, progress);
        if (!error) csv.Finish();
      } else {
        error = ReadWorkbook(path, reading.sheet, cells, progress);
      }
      if (!error && cells.Finish()) error = NoSuchColumn(path, reading.column);
      if (!error) Report(reading, path, cells);
    }
    if (!error) lines.Flush();
  } catch (const std::bad_alloc&) {
    error = OutOfMemoryError(path);
  }
  return error;
}

}  // namespace zelvane
