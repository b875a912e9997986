#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

#include "core/aligned_memory.h"

namespace zelvane {

// 2 MiB blocks (in ordinary pages) that a helper thread allocates and faults in ahead of their use. A big
// import fills hundreds of megabytes of fresh memory; faulting it in costs as much as the scan,
// and here it runs on another core meanwhile. The number lists that an import appends to are
// handed the reserve and take their 2 MiB blocks from it.
class BlockReserve {
 public:
  static constexpr std::size_t kBlockSize = kLargeBlockSize;

  // Prepares up to count blocks, at most sixteen ahead of those taken. Without a thread to spare
  // it prepares none, and the lists fault their blocks in themselves.
  explicit BlockReserve(std::size_t count);
  ~BlockReserve();

  BlockReserve(const BlockReserve&) = delete;
  BlockReserve& operator=(const BlockReserve&) = delete;

  // A ready block, from then on the caller's (FreeMemory), or nullptr when none is ready.
  char* Take();

 private:
  void Fill(const std::stop_token& stop);

  const std::size_t count_;
  std::unique_ptr<char*[]> blocks_;
  std::mutex mutex_;
  std::condition_variable_any blockTaken_;
  std::size_t ready_ = 0;
  std::size_t taken_ = 0;
  std::jthread helper_;  // last: it stops and is joined before the rest goes
};

}  // namespace zelvane
