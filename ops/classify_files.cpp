#include "ops/classify_files.h"

#include "core/first_occurrences.h"
#include "ops/category_files.h"

namespace zelvane {

FileResult ClassifyFiles(const ClassifyJob& job, CategoryCounts& counts) {
  CategoryFiles files(job.folder, job.separator);
  if (FileResult error = files.Open()) return error;
  counts = {};
  FirstOccurrences firsts;
  for (const std::filesystem::path& input : job.inputs) {
    NumberFile file;
    FileResult error = file.Open(input, InputKinds::AnyStream);
    if (!error) {
      error = ForEachClassifiedNumberIn(file, *job.table, [&](std::string_view number, NumberCategory category) {
        if (job.unique && !firsts.Admit(number)) return;
        files.Write(category, number);
        ++counts[CategoryIndex(category)];
      });
    }
    if (error) return error;
  }
  return files.CommitAll();
}

}  // namespace zelvane
