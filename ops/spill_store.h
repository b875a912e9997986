#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "core/aligned_memory.h"
#include "core/file_error.h"

namespace zelvane {

// A file without a name in a folder, for what does not fit in memory: it goes with the process, however
// that ends. Made on the first write; where the file system cannot make such a file, a named one is
// made and unlinked at once. Write failures throw FileFailure, named after the folder.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::filesystem::path folder) : folder_(std::move(folder)) {}
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Appends bytes at the end; returns where they start.
  std::uint64_t Append(std::string_view bytes);
  FileResult ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const;

 private:
  void Create();

  std::filesystem::path folder_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// Bytes appended to numbered buckets in frames of frameSize bytes. Full frames stay in memory while
// they take at most memoryAllowance bytes, and go to a temporary file in folder beyond that; each
// bucket is read back in the order it was written. No temporary file is made while all fits.
class SpillStore {
 public:
  using Receive = std::function<void(std::string_view)>;

  SpillStore(std::size_t buckets, std::size_t frameSize, std::uint64_t memoryAllowance, std::filesystem::path folder);

  // Room for a record of size bytes (at most frameSize) at the end of bucket; records never span frames.
  char* Append(std::size_t bucket, std::size_t size) {
    Bucket& b = buckets_[bucket];
    if (frameSize_ - b.used < size) CloseFrame(b);
    char* record = b.frame.get() + b.used;
    b.used += size;
    return record;
  }
  // Appends bytes that may be split anywhere (a stream's text).
  void AppendBytes(std::size_t bucket, std::string_view bytes);

  // Hands the frames of bucket over in order, the last one as far as it is filled.
  FileResult ForEachFrame(std::size_t bucket, const Receive& receive) const;

  std::uint64_t BytesHeld() const { return held_; }
  std::size_t FrameSize() const { return frameSize_; }

 private:
  using FrameMemory = std::unique_ptr<char, FreeMemoryDeleter>;
  struct Frame {
    FrameMemory memory;  // or, when null, in the file
    std::uint64_t offset = 0;
    std::size_t size = 0;
  };
  struct Bucket {
    std::vector<Frame> full;
    FrameMemory frame;  // none until the first bytes come, and used is frameSize until then
    std::size_t used = 0;
  };

  void CloseFrame(Bucket& bucket);
  FrameMemory NewFrame() const;

  std::size_t frameSize_;
  std::uint64_t allowance_;
  std::uint64_t held_ = 0;  // bytes of full frames kept in memory
  std::vector<Bucket> buckets_;
  TemporaryFile file_;
};

}  // namespace zelvane
