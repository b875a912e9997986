#include "ops/category_files.h"

namespace zelvane {

CategoryFiles::CategoryFiles(const std::filesystem::path& folder, std::string_view separator)
    : folder_(folder), separator_(separator) {
  for (NumberCategory category : kAllCategories) {
    writers_[CategoryIndex(category)] =
        std::make_unique<AtomicFileWriter>(folder / PathFromText(CategoryFileName(category)));
  }
}

FileResult CategoryFiles::Open() {
  FileResult first;
  for (std::size_t c = 0; c < kCategoryCount; ++c) {
    openFailures_[c] = writers_[c]->Open();
    if (!openFailures_[c]) continue;
    if (!first) first = openFailures_[c];
    writers_[c].reset();
  }
  return first;
}

std::vector<FileError> CategoryFiles::CommitEach() {
  for (auto& writer : writers_) {
    if (writer) writer->EndWrites();
  }
  std::array<FileResult, kCategoryCount> results;
  for (std::size_t c = 0; c < kCategoryCount; ++c) results[c] = writers_[c] ? writers_[c]->Finish() : openFailures_[c];
  if (StoppedBeforeReplacing()) {
    for (auto& writer : writers_) writer.reset();
    return {CancelledError(FileOperation::Write, folder_)};
  }
  std::vector<FileError> failures;
  for (std::size_t c = 0; c < kCategoryCount; ++c) {
    if (!results[c] && writers_[c]) results[c] = writers_[c]->Publish();
    if (results[c]) failures.push_back(std::move(*results[c]));
  }
  return failures;
}

void CategoryFiles::Watch(WorkProgress* progress) {
  progress_ = progress;
  for (auto& writer : writers_) {
    if (writer) writer->Watch(progress);
  }
}

bool CategoryFiles::StoppedBeforeReplacing() {
  if (progress_ && progress_->StopRequested()) return true;
  Watch(nullptr);
  return false;
}

std::vector<FileError> ExportCategoryLists(const std::filesystem::path& folder, const CategoryLists& lists,
                                           std::string_view separator, WorkProgress* progress) {
  CategoryFiles files(folder, separator);
  files.Open();  // a file that cannot be opened is reported with the others at the end
  if (progress) {
    progress->SetTotal(progress->Done() + lists.TextBytes() + lists.size() * separator.size());
    files.Watch(progress);
  }
  for (NumberCategory category : kAllCategories) {
    if (progress && progress->StopRequested()) break;
    for (std::string_view number : lists[category]) files.Write(category, number);
  }
  return files.CommitEach();
}

}  // namespace zelvane
