#include "core/number_list.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace zelvane {

void NumberList::FreeBlock::operator()(char* block) const { std::free(block); }

NumberList::Block NumberList::AllocateBlock() {
  void* block = std::aligned_alloc(kBlockSize, kBlockSize);
  if (block == nullptr) throw std::bad_alloc();
  ::madvise(block, kBlockSize, MADV_HUGEPAGE);  // only advice: without huge pages it still works
  return Block(static_cast<char*>(block));
}

void NumberList::Truncate(std::size_t count) {
  if (count >= size_) return;
  size_ = count;
  refs_.resize((count + kRefsPerBlock - 1) / kRefsPerBlock);
  if (count == 0) {
    bytes_.clear();
    bytesUsed_ = 0;
    return;
  }
  const std::uint64_t last = Ref(count - 1);
  const std::uint64_t offset = last >> kLengthBits;
  const std::size_t lastBlock = static_cast<std::size_t>(offset / kBlockSize);
  bytes_.resize(lastBlock + 1);
  bytesUsed_ = static_cast<std::size_t>(offset % kBlockSize + (last & kLengthMask));
}

}  // namespace zelvane
