#include "ops/classify_files.h"

#include <new>

#include "core/first_occurrences.h"
#include "ops/category_files.h"

namespace zelvane {

namespace {

// The bytes of all inputs, or 0 when one is a stream (or cannot be sized now, and fails later).
std::uint64_t InputBytes(const std::vector<std::filesystem::path>& inputs) {
  std::uint64_t total = 0;
  for (const std::filesystem::path& input : inputs) {
    std::error_code error;
    if (input == kStandardInput || !std::filesystem::is_regular_file(input, error)) return 0;
    total += std::filesystem::file_size(input, error);
  }
  return total;
}

}  // namespace

FileResult ClassifyFiles(const ClassifyJob& job, CategoryCounts& counts) {
  CategoryFiles files(job.folder, job.separator);
  if (FileResult error = files.Open()) return error;
  // The writes only look whether to stop: the reads tell how far the job is.
  WorkProgress writing(job.progress ? job.progress->StopToken() : std::stop_token(), {});
  files.Watch(&writing);
  if (job.progress) job.progress->SetTotal(InputBytes(job.inputs));
  counts = {};
  FirstOccurrences firsts;
  for (const std::filesystem::path& input : job.inputs) {
    NumberFile file;
    FileResult error = file.Open(input, InputKinds::AnyStream);
    try {
      if (!error) {
        error = ForEachClassifiedNumberIn(file, *job.table, [&](std::string_view number, NumberCategory category) {
          if (job.unique && !firsts.Admit(number)) return;
          files.Write(category, number);
          ++counts[CategoryIndex(category)];
        }, job.progress);
      }
    } catch (const std::bad_alloc&) {
      error = OutOfMemoryError(input);  // the repeats' table, with unique
    }
    if (error) return error;
  }
  return files.CommitAll();
}

}  // namespace zelvane
