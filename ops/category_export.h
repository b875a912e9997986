#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/category_lists.h"
#include "core/file_error.h"

namespace zelvane {

// Writes every category's list to its own file in folder ("移动.txt", … in category order), each
// number followed by separator. A file that cannot be written does not stop the others; the
// failures are returned in category order.
std::vector<FileError> ExportCategoryLists(const std::filesystem::path& folder, const CategoryLists& lists,
                                           std::string_view separator);

}  // namespace zelvane
