#pragma once

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "core/file_error.h"
#include "ops/file_writeback.h"

namespace zelvane {

// Writes a file so that it is either wholly replaced or left as it was: the bytes go to a
// temporary file in the target's folder, which Commit flushes to disk and renames over the target.
// Destroying an uncommitted writer removes the temporary file.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::filesystem::path target);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary file. Refuses a target that is a folder, a device or a read-only file.
  FileResult Open();

  // Buffered, and written out on another thread; a failed write is remembered and reported by Commit.
  void Write(std::string_view bytes) {
    if (bytes.size() > kBufferSize - used_) return WriteSpilling(bytes);
    std::memcpy(buffer_ + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  // No more writes: the last bytes go out and to disk in the background until Commit.
  void EndWrites();

  // Makes the written bytes the target's content.
  FileResult Commit();

  const std::filesystem::path& target() const { return target_; }

 private:
  static constexpr std::size_t kBufferSize = FileWriteback::kBufferSize;

  void WriteSpilling(std::string_view bytes);
  FileResult Fail(int errorNumber);
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  std::unique_ptr<FileWriteback> writeback_;
  char* buffer_ = nullptr;  // one of writeback_'s; none after EndWrites
  std::size_t used_ = 0;
};

}  // namespace zelvane
