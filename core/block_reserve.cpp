#include "core/block_reserve.h"

#include <cstdlib>
#include <new>
#include <system_error>

#include "core/huge_pages.h"

namespace zelvane {

namespace {

constexpr std::size_t kMostAhead = 16;

thread_local BlockReserve* thisThreadsReserve = nullptr;

}  // namespace

BlockReserve::BlockReserve(std::size_t count)
    : count_(count), blocks_(std::make_unique<char*[]>(count)), outer_(thisThreadsReserve) {
  thisThreadsReserve = this;
  if (count == 0) return;
  try {
    helper_ = std::thread([this] { Fill(); });
  } catch (const std::system_error&) {
    // No thread: the lists fault their blocks in themselves.
  }
}

BlockReserve::~BlockReserve() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  blockTaken_.notify_one();
  if (helper_.joinable()) helper_.join();
  for (std::size_t index = taken_; index < ready_; ++index) std::free(blocks_[index]);
  thisThreadsReserve = outer_;
}

BlockReserve* BlockReserve::OfThisThread() { return thisThreadsReserve; }

char* BlockReserve::Take() {
  char* block = nullptr;
  {
    const std::lock_guard lock(mutex_);
    if (taken_ == ready_) return nullptr;
    block = blocks_[taken_++];
  }
  blockTaken_.notify_one();
  return block;
}

void BlockReserve::Fill() {
  for (std::size_t index = 0; index < count_; ++index) {
    {
      std::unique_lock lock(mutex_);
      blockTaken_.wait(lock, [&] { return stopping_ || index - taken_ < kMostAhead; });
      if (stopping_) return;
    }
    char* block = nullptr;
    try {
      block = static_cast<char*>(AllocateHugePages(kBlockSize));
    } catch (const std::bad_alloc&) {
      return;
    }
    FaultInForWriting(block, kBlockSize);
    const std::lock_guard lock(mutex_);
    blocks_[index] = block;
    ready_ = index + 1;
  }
}

}  // namespace zelvane
