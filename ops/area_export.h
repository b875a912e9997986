#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/area_table.h"
#include "core/category_lists.h"
#include "core/file_error.h"
#include "core/work_progress.h"
#include "ops/area_split.h"
#include "ops/number_file_format.h"
#include "ops/number_output.h"

namespace zelvane {

// 按地区导出: writes every number of the lists, in import order (across categories, as Order() gives it),
// into one file per province ("广东省.txt") or per city in a folder per province ("广东省/深圳市.txt"; a
// municipality, whose city is its province, "北京市.txt" at the top), and "未知地区.txt" for numbers
// without an area; each number followed by separator. Names are made as classify --by makes them. Only
// areas with numbers get a file. Every file is written beside its target and all are replaced together,
// or none is; folders made for the export are removed again when it fails. The failure that stopped it,
// if any; once progress asks to stop, nothing is replaced and the only failure is a CancelledError.
// progress advances by the bytes written. In another format than text the files have its extension
// ("广东省.xlsx"); written (when given) receives what became of the numbers not written as they are
// (NumberOutput); filesWritten, when given, gets the count of files replaced.
std::vector<FileError> ExportByArea(const std::filesystem::path& folder, const CategoryLists& lists,
                                    const AreaTable& areas, AreaLevel split, std::string_view separator,
                                    WorkProgress* progress = nullptr, NumberFileStyle style = {},
                                    NumberOutputCounts* written = nullptr, std::size_t* filesWritten = nullptr);

}  // namespace zelvane
