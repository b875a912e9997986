#include "ops/category_export.h"

#include <string>

#include "ops/number_file_writer.h"

namespace zelvane {

std::vector<FileError> ExportCategoryLists(const std::filesystem::path& folder, const CategoryLists& lists,
                                           std::string_view separator) {
  std::vector<FileError> failures;
  for (NumberCategory category : kAllCategories) {
    const std::filesystem::path path = folder / std::string(CategoryFileName(category));
    if (FileResult error = WriteNumberFile(path, lists[category], separator)) failures.push_back(*error);
  }
  return failures;
}

}  // namespace zelvane
