#pragma once

#include <filesystem>
#include <string>

#include "core/file_error.h"
#include "core/work_progress.h"
#include "ops/cell_numbers.h"

namespace zelvane {

// Reads the cells of a workbook's sheet (.xlsx, .xlsm) into cells: the sheet named sheet, else the
// sheet with that number from 1, or the first worksheet when sheet is empty. A damaged workbook, one
// that is no workbook, a zip bomb or a part with a document type declaration gives one message; so
// does a sheet that is not there (a usage error: the message names the sheets there are).
FileResult ReadWorkbook(const std::filesystem::path& path, const std::string& sheet, CellNumbers& cells,
                        WorkProgress* progress = nullptr);

// The message for a compound file where a workbook was expected: a workbook with a password to open
// (encrypted, so no zip at all) or a legacy .xls, and what to do.
FileError LegacyWorkbookError(const std::filesystem::path& path);

}  // namespace zelvane
