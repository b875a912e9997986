#include "ops/spill_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "core/platform/files.h"
#include "ops/file_failure.h"

namespace zelvane {

TemporaryFile::~TemporaryFile() {
  if (fd_ >= 0) CloseFile(fd_);
}

void TemporaryFile::Create() {
  fd_ = OpenNamelessFile(folder_);
  if (fd_ < 0) throw FileFailure(MakeFileError(FileOperation::Write, folder_, errno));
}

std::uint64_t TemporaryFile::Append(std::string_view bytes) {
  if (fd_ < 0) Create();
  const std::uint64_t start = size_;
  if (const int error = WriteAll(fd_, bytes, size_)) {
    throw FileFailure(MakeFileError(FileOperation::Write, folder_, error));
  }
  size_ += bytes.size();
  return start;
}

FileResult TemporaryFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const {
  if (const int error = zelvane::ReadAt(fd_, offset, buffer, size)) {
    return MakeFileError(FileOperation::Read, folder_, error);
  }
  return std::nullopt;
}

SpillStore::SpillStore(std::size_t buckets, std::size_t frameSize, std::uint64_t memoryAllowance,
                       std::filesystem::path folder)
    : frameSize_(frameSize), allowance_(memoryAllowance), buckets_(buckets), file_(std::move(folder)) {
  for (Bucket& bucket : buckets_) bucket.used = frameSize_;  // the first bytes make the frame
}

// A frame with its pages faulted in by one call: a fault a page, as the first writes would take, costs
// more, most of all on a virtual machine (a kept text of a million digest keys is 4,000 pages).
SpillStore::FrameMemory SpillStore::NewFrame() const {
  constexpr std::size_t kPage = 4096;
  FrameMemory frame(static_cast<char*>(AllocateMemory(frameSize_, frameSize_ >= kPage ? kPage : 64)));
  if (frameSize_ >= kPage) FaultInForWriting(frame.get(), frameSize_);
  return frame;
}

void SpillStore::CloseFrame(Bucket& bucket) {
  // A bucket gets its frame with its first bytes: buckets that take none cost no frame.
  if (!bucket.frame) {
    bucket.frame = NewFrame();
    bucket.used = 0;
    return;
  }
  if (bucket.used == 0) return;
  Frame frame;
  frame.size = bucket.used;
  if (held_ + frameSize_ <= allowance_) {
    frame.memory = std::exchange(bucket.frame, NewFrame());
    held_ += frameSize_;
  } else {
    frame.offset = file_.Append(std::string_view(bucket.frame.get(), bucket.used));
  }
  bucket.full.push_back(std::move(frame));
  bucket.used = 0;
}

void SpillStore::AppendBytes(std::size_t bucket, std::string_view bytes) {
  while (!bytes.empty()) {
    Bucket& b = buckets_[bucket];
    if (b.used == frameSize_) CloseFrame(b);
    const std::size_t part = std::min(bytes.size(), frameSize_ - b.used);
    std::memcpy(Append(bucket, part), bytes.data(), part);
    bytes.remove_prefix(part);
  }
}

FileResult SpillStore::ForEachFrame(std::size_t bucket, const Receive& receive) const {
  const Bucket& b = buckets_[bucket];
  std::unique_ptr<char[]> buffer;
  for (const Frame& frame : b.full) {
    if (frame.memory) {
      receive(std::string_view(frame.memory.get(), frame.size));
      continue;
    }
    if (!buffer) buffer = std::make_unique_for_overwrite<char[]>(frameSize_);
    if (FileResult error = file_.ReadAt(frame.offset, buffer.get(), frame.size)) return error;
    receive(std::string_view(buffer.get(), frame.size));
  }
  if (b.frame && b.used > 0) receive(std::string_view(b.frame.get(), b.used));
  return std::nullopt;
}

}  // namespace zelvane
