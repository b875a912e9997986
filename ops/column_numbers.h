#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_error.h"
#include "core/work_progress.h"

namespace zelvane {

// A column of a table that holds numbers, and how many.
struct ColumnNumbers {
  std::uint32_t column = 0;  // from 0
  std::string header;        // the first row's text there (UTF-8) when it holds no number; else empty
  std::uint64_t numbers = 0;
};

// The rows counted: the read stops after them, so that a sheet of a million rows is judged by a large
// sample in a fraction of its reading time.
inline constexpr std::uint32_t kCountedRows = 100000;

// The columns of a table (a workbook's first sheet, a CSV file) that hold numbers, left to right, with
// the numbers each holds in its first kCountedRows rows; none for a text file. progress advances by
// bytes read; once it asks to stop, CancelledError.
FileResult CountColumnNumbers(const std::filesystem::path& path, std::vector<ColumnNumbers>& columns,
                              WorkProgress* progress = nullptr);

}  // namespace zelvane
