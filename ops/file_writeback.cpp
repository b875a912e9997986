#include "ops/file_writeback.h"

#include <string_view>
#include <system_error>

#include "core/platform/files.h"

namespace zelvane {

namespace {

// Each buffer's writeback starts as soon as it is written (sync_file_range); waiting for the disk
// (fdatasync) every few dozen megabytes keeps it busy during the run, and the last flush short.
constexpr std::uint64_t kSyncEvery = std::uint64_t{32} << 20;

}  // namespace

FileWriteback::FileWriteback(int fd, bool background) : fd_(fd) {
  for (auto& buffer : buffers_) {
    buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    free_.push_back(buffer.get());
  }
  if (!background) return;
  try {
    thread_ = std::jthread([this](const std::stop_token& stop) { Run(stop); });
  } catch (const std::system_error&) {
    // Written in the caller's thread then.
  }
}

FileWriteback::~FileWriteback() {
  if (thread_.joinable()) {
    thread_.request_stop();
    thread_.join();
  }
}

char* FileWriteback::FreeBuffer() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return !free_.empty(); });
  char* buffer = free_.back();
  free_.pop_back();
  return buffer;
}

void FileWriteback::Submit(char* buffer, std::size_t used) {
  if (!thread_.joinable()) {
    WriteOut(buffer, used);
    free_.push_back(buffer);
    return;
  }
  {
    const std::lock_guard lock(mutex_);
    queued_.emplace_back(buffer, used);
  }
  changed_.notify_all();
}

void FileWriteback::EndInput() {
  {
    const std::lock_guard lock(mutex_);
    inputEnded_ = true;
  }
  changed_.notify_all();
}

int FileWriteback::Finish() {
  EndInput();
  if (thread_.joinable()) {
    thread_.join();
  } else if (!synced_) {
    SyncToDisk();
  }
  return error_;
}

void FileWriteback::Run(const std::stop_token& stop) {
  std::unique_lock lock(mutex_);
  for (;;) {
    // A stop comes from the destructor: what is left is not worth writing.
    changed_.wait(lock, stop, [&] { return inputEnded_ || !queued_.empty(); });
    if (stop.stop_requested()) return;
    if (queued_.empty()) break;
    const auto [buffer, used] = queued_.front();
    queued_.pop_front();
    lock.unlock();
    WriteOut(buffer, used);
    lock.lock();
    free_.push_back(buffer);
    changed_.notify_all();
  }
  lock.unlock();
  SyncToDisk();
}

void FileWriteback::SyncToDisk() {
  synced_ = true;
  if (error_ == 0) error_ = FlushToDisk(fd_);
}

void FileWriteback::WriteOut(const char* bytes, std::size_t size) {
  if (error_ == 0) error_ = WriteAll(fd_, std::string_view(bytes, size));
  if (error_ == 0) StartWriteback(fd_, offset_, size);
  offset_ += size;
  unsynced_ += size;
  if (error_ == 0 && unsynced_ >= kSyncEvery) {
    unsynced_ = 0;
    error_ = FlushToDisk(fd_);
  }
}

}  // namespace zelvane
