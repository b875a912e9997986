#include "ops/classify_files.h"

#include "core/repeat_filter.h"
#include "ops/category_files.h"

namespace zelvane {

namespace {

// Lets every number through, or with unique only its first occurrence (kept in a list of its own).
class FirstOccurrences {
 public:
  explicit FirstOccurrences(bool unique) : unique_(unique) {}

  bool Admit(std::string_view number) {
    if (!unique_) return true;
    if (!filter_.Insert(number, Filter::Hash(number), seen_.size())) return false;
    seen_.Append(number);
    return true;
  }

 private:
  struct Resolve {
    const NumberList* seen;
    std::string_view operator()(std::uint64_t id) const { return (*seen)[id]; }
  };
  using Filter = RepeatFilter<Resolve>;

  bool unique_;
  NumberList seen_;
  Filter filter_{Resolve{&seen_}};
};

}  // namespace

FileResult ClassifyFiles(const ClassifyJob& job, CategoryCounts& counts) {
  CategoryFiles files(job.folder, job.separator);
  if (FileResult error = files.Open()) return error;
  counts = {};
  FirstOccurrences firsts(job.unique);
  for (const std::filesystem::path& input : job.inputs) {
    NumberFile file;
    FileResult error = file.Open(input, InputKinds::AnyStream);
    if (!error) {
      error = ForEachClassifiedNumberIn(file, *job.table, [&](std::string_view number, NumberCategory category) {
        if (!firsts.Admit(number)) return;
        files.Write(category, number);
        ++counts[CategoryIndex(category)];
      });
    }
    if (error) return error;
  }
  return files.CommitAll();
}

}  // namespace zelvane
