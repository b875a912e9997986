#include "ops/csv_reader.h"

#include <array>
#include <limits>

namespace zelvane {

namespace {

constexpr std::string_view kDelimiters = ",;\t";

// Where the first record of text ends outside quotes, or npos.
std::size_t FirstRecordEnd(std::string_view text) {
  bool quoted = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '"') quoted = !quoted;
    if (!quoted && (text[at] == '\n' || text[at] == '\r')) return at;
  }
  return std::string_view::npos;
}

}  // namespace

void CsvReader::Feed(std::string_view piece) {
  if (decided_) return Parse(piece);
  const std::size_t room = kFirstRecordLimit - start_.size();
  start_.append(piece.substr(0, room));
  if (FirstRecordEnd(start_) == std::string_view::npos && start_.size() < kFirstRecordLimit) return;
  DecideDelimiter();
  if (piece.size() > room) Parse(piece.substr(room));
}

void CsvReader::DecideDelimiter() {
  const std::string_view first = std::string_view(start_).substr(0, FirstRecordEnd(start_));
  std::array<std::size_t, kDelimiters.size()> counts{};
  bool quoted = false;
  for (const char c : first) {
    if (c == '"') quoted = !quoted;
    const std::size_t which = kDelimiters.find(c);
    if (!quoted && which != std::string_view::npos) ++counts[which];
  }
  for (std::size_t which = 1; which < counts.size(); ++which) {
    if (counts[which] > counts[kDelimiters.find(delimiter_)]) delimiter_ = kDelimiters[which];
  }
  decided_ = true;
  std::string held = std::move(start_);
  start_ = {};
  Parse(held);
}

void CsvReader::BeginField() {
  wanted_ = cells_.BeginCell(row_, column_);
  inField_ = true;
}

void CsvReader::EndField() {
  if (!inField_) BeginField();
  if (wanted_) cells_.EndCell();
  inField_ = false;
  state_ = State::FieldStart;
  if (column_ < std::numeric_limits<std::uint32_t>::max()) ++column_;
}

void CsvReader::EndRecord() {
  EndField();
  column_ = 0;
  if (row_ < std::numeric_limits<std::uint32_t>::max()) ++row_;
}

void CsvReader::Parse(std::string_view piece) {
  std::size_t at = 0;
  while (at < piece.size()) {
    const char c = piece[at];
    if (afterCr_) {
      afterCr_ = false;
      if (c == '\n' && state_ == State::FieldStart && column_ == 0) {
        ++at;
        continue;
      }
    }
    switch (state_) {
      case State::FieldStart:
        if (c == '"') {
          BeginField();
          state_ = State::Quoted;
          ++at;
          continue;
        }
        BeginField();
        state_ = State::Unquoted;
        [[fallthrough]];
      case State::Unquoted:
      case State::QuoteInQuoted: {
        if (state_ == State::QuoteInQuoted && c == '"') {
          FieldText("\"");
          state_ = State::Quoted;
          ++at;
          continue;
        }
        // Text after a closing quote goes on the field, as spreadsheets read it.
        state_ = State::Unquoted;
        std::size_t stop = at;
        while (stop < piece.size() && piece[stop] != delimiter_ && piece[stop] != '\n' && piece[stop] != '\r') ++stop;
        FieldText(piece.substr(at, stop - at));
        at = stop;
        if (at == piece.size()) continue;
        if (piece[at] == delimiter_) {
          EndField();
        } else {
          afterCr_ = piece[at] == '\r';
          EndRecord();
        }
        ++at;
        continue;
      }
      case State::Quoted: {
        const std::size_t quote = piece.find('"', at);
        const std::size_t stop = quote == std::string_view::npos ? piece.size() : quote;
        FieldText(piece.substr(at, stop - at));
        at = stop;
        if (quote != std::string_view::npos) {
          state_ = State::QuoteInQuoted;
          ++at;
        }
        continue;
      }
    }
  }
}

void CsvReader::Finish() {
  if (!decided_) DecideDelimiter();
  // A last record without a line break still ends; after one, no empty record follows.
  if (inField_ || column_ > 0 || state_ != State::FieldStart) EndRecord();
}

}  // namespace zelvane
