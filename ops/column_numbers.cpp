#include "ops/column_numbers.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stop_token>

#include "core/number_file_reader.h"
#include "core/platform/gbk.h"
#include "core/text_encoding.h"
#include "ops/cell_numbers.h"
#include "ops/csv_reader.h"
#include "ops/number_input.h"
#include "ops/workbook_reader.h"

namespace zelvane {

namespace {

// Counts numbers by column; the first row's cells without numbers are kept as the headers.
class ColumnCounter {
 public:
  explicit ColumnCounter(std::stop_source& enough)
      : enough_(enough), cells_(ColumnChoice{}, [this](std::string_view) { Count(); }) {
    cells_.TellCellEnds([this](std::uint32_t row, std::uint32_t column, std::string_view text) {
      if (!firstRow_) firstRow_ = row;
      if (row == *firstRow_ && !text.empty()) headers_[column] = text;
      if (row - *firstRow_ >= kCountedRows) enough_.request_stop();
    });
  }

  CellNumbers& Cells() { return cells_; }

  std::vector<ColumnNumbers> Columns() const {
    std::vector<ColumnNumbers> columns;
    for (const auto& [column, count] : counts_) {
      std::string header;
      const auto text = headers_.find(column);
      if (text != headers_.end() && !numbersInFirstRow_.contains(column)) {
        header = IsUtf8(text->second) ? text->second : Utf8FromGbk(text->second);
      }
      columns.push_back({column, std::string(TrimBlanks(header)), count});
    }
    return columns;
  }

 private:
  void Count() {
    ++counts_[cells_.Column()];
    if (!firstRow_ || cells_.Row() == *firstRow_) numbersInFirstRow_.insert(cells_.Column());
  }

  std::stop_source& enough_;
  CellNumbers cells_;
  std::optional<std::uint32_t> firstRow_;
  std::map<std::uint32_t, std::uint64_t> counts_;
  std::map<std::uint32_t, std::string> headers_;
  std::set<std::uint32_t> numbersInFirstRow_;
};

}  // namespace

FileResult CountColumnNumbers(const std::filesystem::path& path, std::vector<ColumnNumbers>& columns,
                              WorkProgress* progress) {
  columns.clear();
  InputFormat format = InputFormat::Text;
  if (FileResult error = FormatOfInput(path, InputReading{}, format)) return error;
  if (format != InputFormat::Csv && format != InputFormat::Workbook) return std::nullopt;

  // The read stops when the sample is complete or when the user asks.
  std::stop_source enough;
  std::optional<std::stop_callback<std::function<void()>>> asked;
  if (progress) asked.emplace(progress->StopToken(), std::function<void()>([&enough] { enough.request_stop(); }));
  std::uint64_t forwarded = 0;
  WorkProgress sampling(enough.get_token(), [&](std::uint64_t done, std::uint64_t) {
    if (progress && done > forwarded) progress->Advance(done - forwarded);
    forwarded = std::max(forwarded, done);
  });

  ColumnCounter counter(enough);
  FileResult error;
  try {
    if (format == InputFormat::Workbook) {
      error = ReadWorkbook(path, "", counter.Cells(), &sampling);
    } else {
      NumberFile file;
      error = file.Open(path);
      CsvReader csv(counter.Cells());
      if (!error) error = file.Read([&csv](std::string_view piece) { csv.Feed(piece); }, &sampling);
      if (!error) csv.Finish();
    }
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(path);
  }
  if (WasCancelled(error) && !(progress && progress->StopRequested())) error.reset();  // the sample is complete
  if (!error) columns = counter.Columns();
  return error;
}

}  // namespace zelvane
