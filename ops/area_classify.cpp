#include "ops/area_classify.h"

#include <algorithm>
#include <memory>

#include "ops/classify_inputs.h"
#include "ops/file_failure.h"
#include "ops/memory_budget.h"
#include "ops/number_frames.h"
#include "ops/publish_together.h"

namespace zelvane {

namespace {

class AreaWriting {
 public:
  AreaWriting(const ClassifyJob& job, const AreaSplit& split, std::uint64_t memory)
      : job_(job),
        split_(split),
        frames_(split.FileCount(), memory, job.folder),
        writing_(job.progress ? job.progress->StopToken() : std::stop_token(), {}) {}

  void Add(std::string_view number, NumberCategory category, std::vector<std::uint64_t>& counts) {
    const std::size_t file = split_.FileOf(split_.table().Lookup(number), category);
    ++counts[file];
    frames_.Add(file, number, job_.separator);
  }

  // Writes the files that took numbers, each beside its target, then replaces them all together.
  FileResult Commit(const std::vector<std::uint64_t>& counts) {
    for (std::size_t file = 0; file < counts.size(); ++file) {
      if (counts[file] == 0) continue;
      if (writing_.StopRequested()) return CancelledError(FileOperation::Write, job_.folder);
      if (FileResult error = Write(file)) return error;
      if (writers_.size() > NumberFrames::kFlushingFiles) {
        if (FileResult error = Finish(*writers_[writers_.size() - 1 - NumberFrames::kFlushingFiles])) return error;
      }
    }
    const std::size_t flushing = std::min(writers_.size(), NumberFrames::kFlushingFiles);
    for (std::size_t i = writers_.size() - flushing; i < writers_.size(); ++i) {
      if (FileResult error = Finish(*writers_[i])) return error;
    }
    if (writing_.StopRequested()) return CancelledError(FileOperation::Write, job_.folder);
    return PublishTogether(writers_);
  }

 private:
  FileResult Write(std::size_t file) {
    auto writer = std::make_unique<AtomicFileWriter>(job_.folder / PathFromText(split_.FileName(file)));
    if (FileResult error = writer->Open()) return error;
    writer->Watch(&writing_);
    if (FileResult error = frames_.WriteTo(file, *writer)) return error;
    writer->EndWrites();
    writers_.push_back(std::move(writer));
    return std::nullopt;
  }

  // Once finished, a stop no longer cancels the writer: whether to replace is decided for all at once.
  static FileResult Finish(AtomicFileWriter& writer) {
    FileResult error = writer.Finish();
    writer.Watch(nullptr);
    return error;
  }

  const ClassifyJob& job_;
  const AreaSplit& split_;
  NumberFrames frames_;
  // The writes only look whether to stop: the reads tell how far the job is.
  WorkProgress writing_;
  std::vector<std::unique_ptr<AtomicFileWriter>> writers_;  // the written files, in file order
};

}  // namespace

std::uint64_t AreaClassifyMemory() { return std::min(DefaultMemoryBudget(), std::uint64_t{256} << 20); }

FileResult ClassifyFilesByArea(const ClassifyJob& job, const AreaSplit& split, std::vector<std::uint64_t>& counts,
                               std::uint64_t memory) {
  counts.assign(split.FileCount(), 0);
  try {
    AreaWriting writing(job, split, memory);
    if (FileResult error = ForEachNumberOfJob(
            job, [&](std::string_view number, NumberCategory category) { writing.Add(number, category, counts); })) {
      return error;
    }
    return writing.Commit(counts);
  } catch (const FileFailure& failure) {
    return failure.error();  // the numbers that did not fit in memory could not be put aside
  } catch (const std::bad_alloc&) {
    return OutOfMemoryError(job.folder);
  }
}

}  // namespace zelvane
