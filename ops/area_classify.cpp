#include "ops/area_classify.h"

#include <algorithm>

#include "ops/classify_inputs.h"
#include "ops/file_failure.h"
#include "ops/files_replaced_together.h"
#include "ops/memory_budget.h"
#include "ops/number_frames.h"

namespace zelvane {

namespace {

class AreaWriting {
 public:
  AreaWriting(const ClassifyJob& job, const AreaSplit& split, std::uint64_t memory)
      : job_(job),
        split_(split),
        frames_(split.FileCount(), memory, job.folder),
        writing_(job.progress ? job.progress->StopToken() : std::stop_token(), {}),
        files_(job.folder, &writing_) {}

  void Add(std::string_view number, NumberCategory category, std::vector<std::uint64_t>& counts) {
    const std::size_t file = split_.FileOf(split_.table().Lookup(number), category);
    ++counts[file];
    frames_.Add(file, number, NumberFrames::FrameSeparator(job_.style(), job_.separator));
  }

  // Writes the files that took numbers, each beside its target, then replaces them all together.
  FileResult Commit(const std::vector<std::uint64_t>& counts, NumberOutputCounts& written) {
    for (std::size_t file = 0; file < counts.size(); ++file) {
      if (counts[file] == 0) continue;
      AtomicFileWriter* writer = nullptr;
      if (FileResult error = files_.Add(NameInFormat(split_.FileName(file), job_.format), writer)) return error;
      if (FileResult error = frames_.WriteInFormat(file, job_.style(), job_.separator, *writer, written)) return error;
      if (FileResult error = files_.EndFile()) return error;
    }
    return files_.Commit();
  }

 private:
  const ClassifyJob& job_;
  const AreaSplit& split_;
  NumberFrames frames_;
  // The writes only look whether to stop: the reads tell how far the job is.
  WorkProgress writing_;
  FilesReplacedTogether files_;
};

}  // namespace

std::uint64_t AreaClassifyMemory() { return std::min(DefaultMemoryBudget(), std::uint64_t{256} << 20); }

FileResult ClassifyFilesByArea(const ClassifyJob& job, const AreaSplit& split, std::vector<std::uint64_t>& counts,
                               std::uint64_t memory, NumberOutputCounts* written) {
  counts.assign(split.FileCount(), 0);
  try {
    AreaWriting writing(job, split, memory);
    if (FileResult error = ForEachNumberOfJob(
            job, [&](std::string_view number, NumberCategory category) { writing.Add(number, category, counts); })) {
      return error;
    }
    NumberOutputCounts writtenHere;
    const FileResult error = writing.Commit(counts, writtenHere);
    if (written) *written = writtenHere;
    return error;
  } catch (const FileFailure& failure) {
    return failure.error();  // the numbers that did not fit in memory could not be put aside
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(job.folder);
  }
}

}  // namespace zelvane
