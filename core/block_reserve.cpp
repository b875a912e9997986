#include "core/block_reserve.h"

#include <cstdlib>
#include <new>
#include <system_error>

namespace zelvane {

namespace {

constexpr std::size_t kMostAhead = 16;

}  // namespace

BlockReserve::BlockReserve(std::size_t count) : count_(count), blocks_(std::make_unique<char*[]>(count)) {
  if (count == 0) return;
  try {
    helper_ = std::jthread([this](const std::stop_token& stop) { Fill(stop); });
  } catch (const std::system_error&) {
    // No thread: Take finds no block ready.
  }
}

BlockReserve::~BlockReserve() {
  if (helper_.joinable()) {
    helper_.request_stop();
    helper_.join();
  }
  for (std::size_t index = taken_; index < ready_; ++index) FreeMemory(blocks_[index]);
}

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

void BlockReserve::Fill(const std::stop_token& stop) {
  for (std::size_t index = 0; index < count_; ++index) {
    {
      std::unique_lock lock(mutex_);
      if (!blockTaken_.wait(lock, stop, [&] { return index - taken_ < kMostAhead; })) return;
    }
    char* block = nullptr;
    try {
      block = static_cast<char*>(AllocateMemory(kBlockSize));
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
