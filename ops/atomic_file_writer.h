#pragma once

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "core/file_error.h"
#include "core/short_copy.h"
#include "core/work_progress.h"
#include "ops/file_writeback.h"

namespace zelvane {

// Writes a file so that it is either wholly replaced or left as it was: the bytes go to a
// temporary file in the target's folder, which is flushed to disk and renamed over the target.
// Destroying a writer that did not publish removes the temporary file. Where the file system allows,
// the file has no name until it is complete, so that a program killed while writing leaves nothing.
// A target that is a symbolic link is replaced itself, as mv replaces it: the file it points to, maybe
// outside the folder, stays as it was.
class AtomicFileWriter {
 public:
  // temporary: the temporary file's path (beside the target), when the caller names it; by default a
  // hidden name of its own.
  explicit AtomicFileWriter(const std::filesystem::path& target, std::filesystem::path temporary = {});
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary file. Refuses a target that is a folder, a device or a read-only file.
  FileResult Open();

  // Buffered, and written out on another thread; a failed write is remembered and reported by Finish.
  void Write(std::string_view bytes) {
    if (bytes.size() > kBufferSize - used_) return WriteSpilling(bytes);
    if (bytes.size() <= kShortCopyLimit) {
      CopyShort(buffer_ + used_, bytes.data(), bytes.size());
    } else {
      std::memcpy(buffer_ + used_, bytes.data(), bytes.size());
    }
    used_ += bytes.size();
  }

  // progress advances by the bytes written out; once it asks to stop, nothing more is written and
  // Finish discards the file and returns CancelledError.
  void Watch(WorkProgress* progress) { progress_ = progress; }

  // No more writes: the last bytes go out and to disk in the background until Finish.
  void EndWrites();

  // Waits until every byte is written and on disk. On failure the temporary file is gone.
  FileResult Finish();
  // Renames the finished temporary file over the target.
  FileResult Publish();
  // Puts the finished file in place and keeps the file it replaces under the temporary name, so
  // that Unpublish can put it back; destroying the writer then removes it. Where the file system
  // cannot swap two files, this is Publish and cannot be undone.
  FileResult PublishUndoably();
  // Puts back what PublishUndoably replaced (or removes the file it made); false when it cannot.
  bool Unpublish();
  // Finish, then Publish.
  FileResult Commit();

  const std::filesystem::path& target() const { return target_; }
  // Where the finished file waits until it is published.
  const std::filesystem::path& temporary() const { return temporary_; }

 private:
  static constexpr std::size_t kBufferSize = FileWriteback::kBufferSize;

  std::filesystem::path TemporaryName() const;
  void WriteSpilling(std::string_view bytes);
  // Hands the full buffer to the writeback and takes a free one, unless the work was stopped.
  void SubmitBuffer();
  bool StopRequested() const { return progress_ && progress_->StopRequested(); }
  // Opens a file without a name in the target's folder, or leaves fd_ closed where that cannot be done.
  FileResult CreateUnnamed();
  // Gives the finished file without a name a temporary name beside the target.
  FileResult NameUnnamed();
  FileResult Fail(int errorNumber);
  // Throws the file away because the work was stopped.
  FileResult Cancel();
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path chosenTemporary_;
  std::filesystem::path temporary_;  // empty while the file has no name
  int fd_ = -1;
  bool finished_ = false;
  // After PublishUndoably: how the target can be put back.
  enum class Undo { Nothing, SwapBack, Remove } undo_ = Undo::Nothing;
  std::unique_ptr<FileWriteback> writeback_;
  char* buffer_ = nullptr;  // one of writeback_'s; none after EndWrites
  std::size_t used_ = 0;
  WorkProgress* progress_ = nullptr;
};

}  // namespace zelvane
