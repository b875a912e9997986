#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

namespace zelvane {

// Writes filled buffers to a file on a thread of its own and flushes them to disk as it goes, so
// that the write calls and the waits for the disk run on another core while the caller fills the
// next buffer. Without a thread (none to spare, or background off) it does the same in the caller.
class FileWriteback {
 public:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

  FileWriteback(int fd, bool background);
  // Stops without writing what is still queued.
  ~FileWriteback();
  FileWriteback(const FileWriteback&) = delete;
  FileWriteback& operator=(const FileWriteback&) = delete;

  // A buffer of kBufferSize bytes to fill, once one is free.
  char* FreeBuffer();

  // Queues the first used bytes of a buffer from FreeBuffer for writing, in order.
  void Submit(char* buffer, std::size_t used);

  // No more buffers come: what is queued is written and flushed to disk (fsync) meanwhile.
  void EndInput();

  // Waits until every queued byte is written and on disk; the first error (an errno value), or 0.
  int Finish();

 private:
  static constexpr std::size_t kBufferCount = 4;

  void Run(const std::stop_token& stop);
  void WriteOut(const char* bytes, std::size_t size);
  void SyncToDisk();

  const int fd_;
  std::array<std::unique_ptr<char[]>, kBufferCount> buffers_;
  std::mutex mutex_;
  std::condition_variable_any changed_;
  std::vector<char*> free_;
  std::deque<std::pair<char*, std::size_t>> queued_;
  bool inputEnded_ = false;
  int error_ = 0;  // written by whoever writes; read under the mutex or after the thread ended
  std::uint64_t offset_ = 0;
  std::uint64_t unsynced_ = 0;
  bool synced_ = false;
  std::jthread thread_;  // last: it stops and is joined before the rest goes
};

}  // namespace zelvane
