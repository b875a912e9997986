#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

#include "core/huge_pages.h"

namespace zelvane {

// Huge-page-sized blocks that a helper thread allocates and touches ahead of their use. A big
// import fills hundreds of megabytes of fresh memory; faulting it in and clearing it costs as much
// as the scan, and here it runs on another core meanwhile. While a reserve lives, the number lists
// of the thread that made it take their 2 MiB blocks from it.
class BlockReserve {
 public:
  static constexpr std::size_t kBlockSize = kHugePageSize;

  // Prepares up to count blocks, at most sixteen ahead of those taken.
  explicit BlockReserve(std::size_t count);
  ~BlockReserve();

  BlockReserve(const BlockReserve&) = delete;
  BlockReserve& operator=(const BlockReserve&) = delete;

  // The reserve of the calling thread, if it made one.
  static BlockReserve* OfThisThread();

  // A ready block, from then on the caller's (std::free), or nullptr when none is ready.
  char* Take();

 private:
  void Fill();

  const std::size_t count_;
  std::unique_ptr<char*[]> blocks_;
  std::mutex mutex_;
  std::condition_variable blockTaken_;
  std::size_t ready_ = 0;
  std::size_t taken_ = 0;
  bool stopping_ = false;
  BlockReserve* const outer_;
  std::thread helper_;
};

}  // namespace zelvane
