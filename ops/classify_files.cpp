#include "ops/classify_files.h"

#include "ops/category_files.h"
#include "ops/classify_inputs.h"

namespace zelvane {

FileResult ClassifyFiles(const ClassifyJob& job, CategoryCounts& counts) {
  CategoryFiles files(job.folder, job.separator);
  if (FileResult error = files.Open()) return error;
  // The writes only look whether to stop: the reads tell how far the job is.
  WorkProgress writing(job.progress ? job.progress->StopToken() : std::stop_token(), {});
  files.Watch(&writing);
  counts = {};
  const FileResult error = ForEachNumberOfJob(job, [&](std::string_view number, NumberCategory category) {
    files.Write(category, number);
    ++counts[CategoryIndex(category)];
  });
  if (error) return error;
  return files.CommitAll();
}

}  // namespace zelvane
