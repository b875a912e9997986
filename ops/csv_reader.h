#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ops/cell_numbers.h"

namespace zelvane {

// Reads CSV text (RFC 4180), fed in pieces of any size, into cells: fields end at the delimiter,
// records at CR LF, LF or CR, and a field in double quotes may hold delimiters and line breaks, "" being
// one quote. The delimiter is the comma, semicolon or tab that occurs most often outside quotes in the
// first record (of its first 64 KiB), a comma when none does. Only that much is held at a time.
class CsvReader {
 public:
  explicit CsvReader(CellNumbers& cells) : cells_(cells) {}

  void Feed(std::string_view piece);
  void Finish();

  char Delimiter() const { return delimiter_; }

 private:
  enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

  static constexpr std::size_t kFirstRecordLimit = 64 << 10;

  void DecideDelimiter();
  void Parse(std::string_view piece);
  void BeginField();
  void FieldText(std::string_view text) {
    if (wanted_) cells_.Text(text);
  }
  void EndField();
  void EndRecord();

  CellNumbers& cells_;
  std::string start_;  // the text up to the end of the first record, until the delimiter is known
  bool decided_ = false;
  char delimiter_ = ',';
  State state_ = State::FieldStart;
  bool afterCr_ = false;  // a LF right after it ends no further record
  bool inField_ = false;
  bool wanted_ = false;
  std::uint32_t row_ = 0;
  std::uint32_t column_ = 0;
};

}  // namespace zelvane
