#include "ops/digest_blocks.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <system_error>

namespace zelvane {

DigestBlocks::DigestBlocks(DigestKind kind) : mine_(kind), helpers_(kind), hexLength_(DigestHexLength(kind)) {
  ends_.reserve(kBlockNumbers);
  bytes_.reserve(kBlockNumbers * 12);  // mostly numbers of 11 digits
}

bool DigestBlocks::Add(std::string_view number) {
  bytes_ += number;
  ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
  return ends_.size() >= kBlockNumbers;
}

std::string_view DigestBlocks::Hash() {
  const std::size_t count = ends_.size();
  hex_.resize(count * hexLength_);
  // Both threads take runs of numbers until none is left, so that neither waits for the other long
  // when the machine gives one of them less time.
  constexpr std::size_t kRun = 1024;
  std::atomic<std::size_t> next{0};
  const auto hashRuns = [&](Digester& digester) {
    for (std::size_t begin; (begin = next.fetch_add(kRun)) < count;) {
      HashRange(digester, begin, std::min(begin + kRun, count));
    }
  };
  // A thread a block costs some tens of microseconds against milliseconds of hashing. Where no thread
  // can be started (a process limit), this thread hashes the whole block.
  std::future<void> second;
  if (count >= kBlockNumbers / 2) {
    try {
      second = std::async(std::launch::async, [&] { hashRuns(helpers_); });
    } catch (const std::system_error&) {
    }
  }
  hashRuns(mine_);
  if (second.valid()) second.get();
  bytes_.clear();
  ends_.clear();
  return hex_;
}

void DigestBlocks::HashRange(Digester& digester, std::size_t begin, std::size_t end) {
  std::size_t start = begin == 0 ? 0 : ends_[begin - 1];
  for (std::size_t i = begin; i < end; ++i) {
    digester.HexDigest(std::string_view(bytes_).substr(start, ends_[i] - start), hex_.data() + i * hexLength_);
    start = ends_[i];
  }
}

}  // namespace zelvane
