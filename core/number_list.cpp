#include "core/number_list.h"

#include "core/block_reserve.h"

namespace zelvane {

NumberList::Block NumberList::AllocateBlock(std::size_t size, BlockReserve* reserve) {
  static_assert(kBlockSize == BlockReserve::kBlockSize);
  if (size == kBlockSize) {
    char* block = reserve ? reserve->Take() : nullptr;
    return Block(block ? block : static_cast<char*>(AllocateMemory(kBlockSize)));
  }
  return Block(static_cast<char*>(AllocateMemory(size, size)));
}

void NumberList::Truncate(std::size_t count) {
  if (count >= size_) return;
  size_ = count;
  if (count == 0) {
    refs_.clear();
    bytes_.clear();
    bytesUsed_ = 0;
    return;
  }
  const auto [refBlock, refIndex] = RefPosition(count - 1);
  refs_.resize(refBlock + 1);
  const std::uint64_t last = Refs(refBlock)[refIndex];
  const std::uint64_t place = last >> kLengthBits;
  bytes_.resize((place >> kOffsetBits) + 1);
  bytesUsed_ = (place & kOffsetMask) + (last & kLengthMask);
}

}  // namespace zelvane
