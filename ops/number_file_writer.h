#pragma once

#include <filesystem>
#include <string_view>

#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"
#include "ops/number_output.h"

namespace zelvane {

// Written after every number when the user gives no separator: CR LF.
inline constexpr std::string_view kDefaultSeparator = "\r\n";

// The separator typed by the user, or the default when nothing was typed.
constexpr std::string_view DefaultSeparator(std::string_view typed) {
  return typed.empty() ? kDefaultSeparator : typed;
}

// Writes numbers (anything that iterates as string_view) to path in format: as text each followed by
// separator. The file is replaced whole or, on failure or once progress asks to stop, left as it was.
// written (when given) receives what became of the numbers not written as they are (NumberOutput).
template <class Numbers>
FileResult WriteNumberFile(const std::filesystem::path& path, const Numbers& numbers, std::string_view separator,
                           WorkProgress* progress = nullptr, NumberFileStyle style = {},
                           NumberOutputCounts* written = nullptr) {
  AtomicFileWriter writer(path);
  if (FileResult error = writer.Open()) return error;
  writer.Watch(progress);
  NumberOutput output(style, writer, separator);
  if (FileResult error = output.Begin()) return error;
  for (std::string_view number : numbers) output.Add(number);
  if (FileResult error = output.End()) return error;
  if (written) *written = output.counts();
  return writer.Commit();
}

}  // namespace zelvane
