#include "ops/files_replaced_together.h"

#include <algorithm>
#include <span>
#include <system_error>
#include <thread>

#include "core/platform/files.h"
#include "core/platform/interrupts.h"

namespace zelvane {

namespace {

// Destroys the writers, several at once when there are many: each removes the old file it replaced,
// and a removal can wait for the disk (a file system mounted with discard frees the blocks of one
// removal after another), while removals made together wait about as long as one. 357 files one
// after another took a second here, 16 at once a tenth of it.
void ReleaseAll(std::span<std::unique_ptr<AtomicFileWriter>> writers) {
  constexpr std::size_t kWritersPerThread = 16;
  constexpr std::size_t kMostThreads = 16;
  const std::size_t threads = std::min(kMostThreads, writers.size() / kWritersPerThread);
  {
    std::vector<std::jthread> helpers;
    try {
      for (std::size_t t = 0; t < threads; ++t) {
        helpers.emplace_back([writers, t, threads] {
          for (std::size_t i = t; i < writers.size(); i += threads) writers[i].reset();
        });
      }
    } catch (const std::system_error&) {
      // No thread to spare: what the helpers do not take goes below.
    }
  }  // the helpers are joined
  for (auto& writer : writers) writer.reset();
}

}  // namespace

FilesReplacedTogether::FilesReplacedTogether(std::filesystem::path folder, WorkProgress* progress)
    : folder_(std::move(folder)), progress_(progress) {
  FinishLeftCommits(folder_);
  journal_.Begin(folder_);
}

FilesReplacedTogether::~FilesReplacedTogether() { ReleaseAll(writers_); }

bool FilesReplacedTogether::Stopped() const { return progress_ && progress_->StopRequested(); }

FileResult FilesReplacedTogether::StartCommit() {
  if (started_) return std::nullopt;
  started_ = true;
  DeferInterrupts();  // from the first file with a name on, Ctrl+C stops the commit rather than cut it
  return journal_.Create();
}

FileResult FilesReplacedTogether::Add(const std::filesystem::path& name, AtomicFileWriter*& writer) {
  if (Stopped()) return CancelledError(FileOperation::Write, folder_);
  if (name.has_parent_path()) {
    if (FileResult error = folders_.Make(folder_ / name.parent_path())) return error;
  }
  const std::filesystem::path temporary = journal_.TemporaryFor(name, writers_.size());
  auto& added = writers_.emplace_back(std::make_unique<AtomicFileWriter>(folder_ / name, folder_ / temporary));
  entries_.push_back({name, temporary, 0});
  if (FileResult error = added->Open()) return error;
  added->Watch(progress_);
  writer = added.get();
  return std::nullopt;
}

FileResult FilesReplacedTogether::EndFile() {
  if (FileResult error = StartCommit()) return error;
  if (Stopped()) return CancelledError(FileOperation::Write, folder_);
  writers_[ended_++]->EndWrites();
  if (ended_ > kFlushingFiles) return Finish(ended_ - 1 - kFlushingFiles);
  return std::nullopt;
}

FileResult FilesReplacedTogether::Finish(std::size_t file) {
  if (Stopped()) return CancelledError(FileOperation::Write, folder_);
  AtomicFileWriter& writer = *writers_[file];
  if (FileResult error = writer.Finish()) return error;
  PathStatus status;
  if (const int error = StatusOfPath(writer.temporary(), status)) {
    return MakeFileError(FileOperation::Write, writer.target(), error);
  }
  entries_[file].identity = status.identity;
  ++finished_;
  return std::nullopt;
}

FileResult FilesReplacedTogether::Commit() {
  FileResult failure = StartCommit();
  if (!failure) failure = Replace();
  if (failure) {
    journal_.Abandon();
  } else {
    folders_.Keep();
  }
  ReleaseAll(writers_);  // the old files, or the new ones not used
  journal_.End();
  return failure;
}

FileResult FilesReplacedTogether::Replace() {
  for (; ended_ < writers_.size(); ++ended_) writers_[ended_]->EndWrites();  // to disk side by side
  for (std::size_t file = finished_; file < writers_.size(); ++file) {
    if (FileResult error = Finish(file)) return error;
  }
  if (Stopped()) return CancelledError(FileOperation::Write, folder_);
  if (FileResult error = journal_.Record(entries_)) return error;
  for (std::size_t file = 0; file < writers_.size(); ++file) {
    FileResult failure = Stopped() ? CancelledError(FileOperation::Write, folder_) : writers_[file]->PublishUndoably();
    if (!failure) continue;
    for (std::size_t back = file; back-- > 0;) writers_[back]->Unpublish();
    return failure;
  }
  return std::nullopt;
}

}  // namespace zelvane
