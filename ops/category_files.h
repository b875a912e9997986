#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/category_lists.h"
#include "core/file_error.h"
#include "ops/atomic_file_writer.h"
#include "ops/number_file_format.h"
#include "ops/number_output.h"

namespace zelvane {

// The five category files of a folder ("移动.txt", … in category order; "移动.xlsx" in that format),
// written side by side, each number followed by the separator or in a cell of its own. Each file
// replaces its target whole or not at all, on its own (FilesReplacedTogether replaces files all
// together).
class CategoryFiles {
 public:
  CategoryFiles(const std::filesystem::path& folder, std::string_view separator, NumberFileStyle style = {});

  // Creates the temporary files; the first failure in category order. A file that failed to open takes
  // no numbers, and CommitEach reports it.
  FileResult Open();

  void Write(NumberCategory category, std::string_view number) {
    const std::size_t c = CategoryIndex(category);
    if (writers_[c]) outputs_[c]->Add(number);
  }

  // Every writer advances progress by the bytes it writes out; once progress asks to stop, the commits
  // replace nothing and report CancelledError.
  void Watch(WorkProgress* progress);

  // Each file on its own: a failure does not stop the others. The failures in category order.
  std::vector<FileError> CommitEach();

  // What became of the numbers not written as they are (NumberOutput).
  NumberOutputCounts counts() const;

 private:
  std::array<std::unique_ptr<AtomicFileWriter>, kCategoryCount> writers_;
  std::array<std::optional<NumberOutput>, kCategoryCount> outputs_;  // each into its writer
  std::array<FileResult, kCategoryCount> openFailures_;
  // Whether the work was stopped before any file replaced its target; if not, nothing stops the
  // replacing any more, so that either all files or none are replaced.
  bool StoppedBeforeReplacing();

  std::filesystem::path folder_;
  std::string separator_;
  NumberFileStyle style_;
  WorkProgress* progress_ = nullptr;
};

// Writes every category list to its own file in folder; a file that cannot be written does not stop
// the others. The failures in category order. Once progress asks to stop, no file is replaced and the
// only failure is a CancelledError.
// written (when given) receives what became of the numbers not written as they are (NumberOutput).
std::vector<FileError> ExportCategoryLists(const std::filesystem::path& folder, const CategoryLists& lists,
                                           std::string_view separator, WorkProgress* progress = nullptr,
                                           NumberFileStyle style = {}, NumberOutputCounts* written = nullptr);

}  // namespace zelvane
