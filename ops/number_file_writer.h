#pragma once

#include <filesystem>
#include <string_view>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"

namespace zelvane {

// Written after every number when the user gives no separator: CR LF.
inline constexpr std::string_view kDefaultSeparator = "\r\n";

// The separator typed by the user, or the default when nothing was typed.
constexpr std::string_view DefaultSeparator(std::string_view typed) {
  return typed.empty() ? kDefaultSeparator : typed;
}

// Writes numbers (anything that iterates as string_view) to path, each followed by separator.
// The file is replaced whole or, on failure or once progress asks to stop, left as it was.
template <class Numbers>
FileResult WriteNumberFile(const std::filesystem::path& path, const Numbers& numbers, std::string_view separator,
                           WorkProgress* progress = nullptr) {
  AtomicFileWriter writer(path);
  if (FileResult error = writer.Open()) return error;
  writer.Watch(progress);
  for (std::string_view number : numbers) {
    writer.Write(number);
    writer.Write(separator);
  }
  return writer.Commit();
}

}  // namespace zelvane
