#include "ops/classify_files.h"

#include <array>

#include "ops/classify_inputs.h"
#include "ops/files_replaced_together.h"

namespace zelvane {

FileResult ClassifyFiles(const ClassifyJob& job, CategoryCounts& counts) {
  // The writes only look whether to stop: the reads tell how far the job is.
  WorkProgress writing(job.progress ? job.progress->StopToken() : std::stop_token(), {});
  FilesReplacedTogether files(job.folder, &writing);
  std::array<AtomicFileWriter*, kCategoryCount> writers{};
  for (const NumberCategory category : kAllCategories) {
    if (FileResult error = files.Add(PathFromText(CategoryFileName(category)), writers[CategoryIndex(category)])) {
      return error;
    }
  }
  counts = {};
  const FileResult error = ForEachNumberOfJob(job, [&](std::string_view number, NumberCategory category) {
    AtomicFileWriter& writer = *writers[CategoryIndex(category)];
    writer.Write(number);
    writer.Write(job.separator);
    ++counts[CategoryIndex(category)];
  });
  if (error) return error;
  return files.Commit();
}

}  // namespace zelvane
