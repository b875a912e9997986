#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "core/file_error.h"

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

  // Buffered; a failed write is remembered and reported by Commit.
  void Write(std::string_view bytes) {
    if (bytes.size() > kBufferSize - used_) {
      Flush();
      if (bytes.size() > kBufferSize) return WriteThrough(bytes);
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  // Makes the written bytes the target's content.
  FileResult Commit();

  const std::filesystem::path& target() const { return target_; }

 private:
  static constexpr std::size_t kBufferSize = 1 << 20;

  void Flush();
  void WriteThrough(std::string_view bytes);
  FileResult Fail(int errorNumber);
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  int error_ = 0;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  std::uint64_t written_ = 0;
};

}  // namespace zelvane
