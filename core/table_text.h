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

// Reads a table file whole as UTF-8 text (UTF-16 converted); one larger than maxBytes is refused,
// naming the kind of table (号段表, 归属地表).
FileResult ReadTableFile(const std::filesystem::path& path, std::string_view kind, std::uint64_t maxBytes,
                         std::string& text);

// "KIND“path”第N行：reason", e.g. for the kind 号段表.
std::string TableErrorMessage(std::string_view kind, const std::filesystem::path& path, const TableLineError& error);

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
