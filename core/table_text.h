#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/file_error.h"
#include "core/text_encoding.h"

namespace zelvane {

// What prefix tables and area tables share: a text file of one rule a line, in UTF-8 or UTF-16.

// A table's line that is not as it must be, and why.
struct TableLineError {
  std::size_t line = 0;  // from 1
  std::string reason;
};

// Why a table file could not be had, as the user reads it: "无法读取文件“…”：…", "号段表“…”第2行：……".
struct TableLoadError {
  std::string message;
  bool unreadable = false;  // the file could not be read; otherwise it is no table (the user's mistake)
};

// Reads a table file whole as UTF-8 text (UTF-16 converted); one larger than maxBytes is no table,
// naming the kind of table (号段表, 归属地表). False with error filled in when it cannot be had.
bool ReadTableFile(const std::filesystem::path& path, std::string_view kind, std::uint64_t maxBytes, std::string& text,
                   TableLoadError& error);

// "KIND“path”第N行：reason", e.g. for the kind 号段表; control characters of the line are not echoed.
std::string TableErrorMessage(std::string_view kind, const std::filesystem::path& path, const TableLineError& error);

// Reads and parses a table file of the kind with Table::Parse: the table, or nothing with error filled in.
template <class Table>
std::optional<Table> LoadTableFile(const std::filesystem::path& path, std::string_view kind, std::uint64_t maxBytes,
                                   TableLoadError& error) {
  std::string text;
  if (!ReadTableFile(path, kind, maxBytes, text, error)) return std::nullopt;
  TableLineError lineError;
  std::optional<Table> table = Table::Parse(text, lineError);
  if (!table) error = {TableErrorMessage(kind, path, lineError), false};
  return table;
}

// Hands each line of text to take (std::optional<std::string>(std::size_t number, std::string_view line)),
// numbered from 1, a UTF-8 mark at the start skipped, LF or CR LF ends. Stops at the first line that
// is no UTF-8 or that take refuses with a reason.
template <class Take>
std::optional<TableLineError> ForEachTableLine(std::string_view text, Take&& take) {
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
  for (std::size_t number = 1; !text.empty(); ++number) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!IsUtf8(line)) return TableLineError{number, "不是 UTF-8 文本"};
    if (std::optional<std::string> reason = take(number, line)) return TableLineError{number, std::move(*reason)};
  }
  return std::nullopt;
}

}  // namespace zelvane
