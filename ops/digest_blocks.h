#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/digest.h"

namespace zelvane {

// Numbers (short tokens) hashed a block at a time on both cores: a full block is shared between the
// caller and a thread of its own. The digests come out in the order the numbers went in.
class DigestBlocks {
 public:
  explicit DigestBlocks(DigestKind kind);

  // Takes number into the block; true when the block is full and Hash is due.
  bool Add(std::string_view number);

  // The hex digests of the block's numbers in order, DigestHexLength bytes each, one after the other;
  // the block is empty again (the view lasts until the next Hash).
  std::string_view Hash();

  // Blocks of this many numbers are hashed at once; half as many or more are split between two threads.
  static constexpr std::size_t kBlockNumbers = std::size_t{1} << 15;

 private:
  void HashRange(Digester& digester, std::size_t begin, std::size_t end);

  Digester mine_;
  Digester helpers_;  // only ever used by the helper thread of the block at hand
  std::size_t hexLength_;
  std::string bytes_;                // the block's numbers, one after another
  std::vector<std::uint32_t> ends_;  // where each ends in bytes_
  std::string hex_;
};

}  // namespace zelvane
