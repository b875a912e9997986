#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/count_text.h"
#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/formed_numbers.h"
#include "ops/number_file_format.h"
#include "ops/table_writer.h"

namespace zelvane {

// The header of the one column that number files in CSV and workbooks have.
inline constexpr std::string_view kNumberColumnHeader = "号码";

// Plain numbers into a text file: each number's bytes as they came, then the separator.
inline bool AsTheyAre(NumberFileStyle style) {
  return style.format == NumberFileFormat::Text && style.form == NumberForm::Plain;
}

// About the bytes that numbers (count of them, textBytes in all) take written in style, each followed by
// a separator of separatorSize bytes: what progress over the writing counts to.
std::uint64_t WrittenSize(NumberFileStyle style, std::uint64_t count, std::uint64_t textBytes,
                          std::size_t separatorSize);

// What became of the numbers that were not written as they are.
struct NumberOutputCounts {
  std::uint64_t replaced = 0;  // written with a "?" for bytes that are not GBK text (CSV, workbooks)
  std::uint64_t leftOut = 0;   // not numbers, so left out of a hashed or masked file

  NumberOutputCounts& operator+=(const NumberOutputCounts& other) {
    replaced += other.replaced;
    leftOut += other.leftOut;
    return *this;
  }
};

// What became of the numbers, a sentence each (those written with a "?", those left out), in the
// command line's and the window's words; none when every number was written as it is.
std::vector<std::string> WrittenNumbersNotes(const NumberOutputCounts& written, CountForm form);

// The numbers of one file in its style, into the file's writer (opened already): as text each followed
// by the separator, as its bytes; as CSV or a workbook one cell each, converted from GBK to UTF-8
// (AppendCellText), with what could not be converted counted. A hashed or masked form writes each
// number so instead (NumberForm), and leaves out and counts the tokens that are not numbers.
class NumberOutput {
 public:
  NumberOutput(NumberFileStyle style, AtomicFileWriter& file, std::string_view separator);

  // Starts the file (a CSV header, a workbook).
  FileResult Begin();

  void Add(std::string_view number) {
    if (asTheyAre_) {
      file_.Write(number);
      file_.Write(separator_);
      return;
    }
    AddInStyle(number);
  }

  // The last bytes into the file; its writer then commits it.
  FileResult End();

  NumberOutputCounts counts() const { return {replaced_, formed_ ? formed_->leftOut() : 0}; }

 private:
  void AddInStyle(std::string_view number);
  // One number's text as the file takes it: followed by the separator, or as a cell.
  void Put(std::string_view text);

  NumberFileStyle style_;
  bool asTheyAre_;  // plain numbers into a text file: the bytes as they came
  AtomicFileWriter& file_;
  std::string separator_;
  std::unique_ptr<TableWriter> table_;
  std::optional<FormedNumbers> formed_;
  std::string cell_;
  std::uint64_t replaced_ = 0;
};

}  // namespace zelvane
