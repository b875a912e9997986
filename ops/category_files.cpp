#include "ops/category_files.h"

namespace zelvane {

CategoryFiles::CategoryFiles(const std::filesystem::path& folder, std::string_view separator, NumberFileStyle style)
    : folder_(folder), separator_(separator), style_(style) {
  for (NumberCategory category : kAllCategories) {
    writers_[CategoryIndex(category)] =
        std::make_unique<AtomicFileWriter>(folder / NameInFormat(CategoryFileName(category), style.format));
  }
}

FileResult CategoryFiles::Open() {
  FileResult first;
  for (std::size_t c = 0; c < kCategoryCount; ++c) {
    openFailures_[c] = writers_[c]->Open();
    if (!openFailures_[c]) openFailures_[c] = outputs_[c].emplace(style_, *writers_[c], separator_).Begin();
    if (!openFailures_[c]) continue;
    if (!first) first = openFailures_[c];
    outputs_[c].reset();
    writers_[c].reset();
  }
  return first;
}

std::vector<FileError> CategoryFiles::CommitEach() {
  std::array<FileResult, kCategoryCount> results;
  for (std::size_t c = 0; c < kCategoryCount; ++c) {
    if (writers_[c]) results[c] = outputs_[c]->End();
    if (!results[c] && writers_[c]) writers_[c]->EndWrites();
  }
  for (std::size_t c = 0; c < kCategoryCount; ++c) {
    if (results[c]) continue;
    results[c] = writers_[c] ? writers_[c]->Finish() : openFailures_[c];
  }
  if (StoppedBeforeReplacing()) {
    for (auto& output : outputs_) output.reset();
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

NumberOutputCounts CategoryFiles::counts() const {
  NumberOutputCounts counts;
  for (const auto& output : outputs_) {
    if (output) counts += output->counts();
  }
  return counts;
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
                                           std::string_view separator, WorkProgress* progress, NumberFileStyle style,
                                           NumberOutputCounts* written) {
  CategoryFiles files(folder, separator, style);
  files.Open();  // a file that cannot be opened is reported with the others at the end
  if (progress) {
    progress->SetTotal(progress->Done() + WrittenSize(style, lists.size(), lists.TextBytes(), separator.size()));
    files.Watch(progress);
  }
  for (NumberCategory category : kAllCategories) {
    if (progress && progress->StopRequested()) break;
    for (std::string_view number : lists[category]) files.Write(category, number);
  }
  std::vector<FileError> failures = files.CommitEach();
  if (written) *written = files.counts();
  return failures;
}

}  // namespace zelvane
