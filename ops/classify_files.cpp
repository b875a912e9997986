#include "ops/classify_files.h"

#include <array>
#include <optional>

#include "ops/classify_inputs.h"
#include "ops/files_replaced_together.h"
#include "ops/number_output.h"

namespace zelvane {

FileResult ClassifyFiles(const ClassifyJob& job, CategoryCounts& counts, NumberOutputCounts* written) {
  // The writes only look whether to stop: the reads tell how far the job is.
  WorkProgress writing(job.progress ? job.progress->StopToken() : std::stop_token(), {});
  FilesReplacedTogether files(job.folder, &writing);
  std::array<std::optional<NumberOutput>, kCategoryCount> outputs;
  for (const NumberCategory category : kAllCategories) {
    AtomicFileWriter* writer = nullptr;
    if (FileResult error = files.Add(NameInFormat(CategoryFileName(category), job.format), writer)) return error;
    NumberOutput& output = outputs[CategoryIndex(category)].emplace(job.style(), *writer, job.separator);
    if (FileResult error = output.Begin()) return error;
  }
  counts = {};
  const FileResult error = ForEachNumberOfJob(job, [&](std::string_view number, NumberCategory category) {
    outputs[CategoryIndex(category)]->Add(number);
    ++counts[CategoryIndex(category)];
  });
  if (error) return error;
  if (written) *written = {};
  for (std::optional<NumberOutput>& output : outputs) {
    if (FileResult ended = output->End()) return ended;
    if (written) *written += output->counts();
  }
  return files.Commit();
}

}  // namespace zelvane
