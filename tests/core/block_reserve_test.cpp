#include "core/block_reserve.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <set>
#include <thread>

namespace zelvane {
namespace {

// Every prepared block comes out once, whole and writable; then there are no more.
TEST(BlockReserve, HandsOutEachPreparedBlockOnce) {
  BlockReserve reserve(40);
  std::set<char*> blocks;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (blocks.size() < 40 && std::chrono::steady_clock::now() < deadline) {
    if (char* block = reserve.Take()) {
      std::memset(block, 1, BlockReserve::kBlockSize);
      EXPECT_TRUE(blocks.insert(block).second);
    } else {
      std::this_thread::yield();
    }
  }
  EXPECT_EQ(blocks.size(), 40u);
  EXPECT_EQ(reserve.Take(), nullptr);
  for (char* block : blocks) FreeMemory(block);
}

}  // namespace
}  // namespace zelvane
