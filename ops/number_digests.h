#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_scanner.h"
#include "core/platform/digest.h"

namespace zelvane {

// A digest is matched by its key, its first 30 hex digits in small letters: the longest token the
// comparison scans. 120 bits: two digests of different numbers share them with a chance of 2^-120.
inline constexpr std::size_t kDigestKeyLength = kMaxTokenLength;

// The digest keys of numbers, each followed by a line break, handed over in the order the numbers came.
// Hashing is most of the work of matching against a hashed list, so the numbers are taken in batches
// and half of each batch is hashed on a second thread (all of it here when none can be had).
class NumberDigests {
 public:
  using Receive = std::function<void(std::string_view lines)>;

  NumberDigests(DigestKind kind, Receive receive);

  void Add(std::string_view number) {
    numbers_.append(number);
    ends_.push_back(numbers_.size());
    if (ends_.size() == kBatchNumbers || numbers_.size() >= kBatchBytes) Flush();
  }
  // Hands over the digests of the numbers still held.
  void Finish() { Flush(); }

  // A batch: enough that starting a thread for half of it costs next to nothing, few enough to stay in
  // the cache.
  static constexpr std::size_t kBatchNumbers = 16384;
  static constexpr std::size_t kBatchBytes = std::size_t{1} << 20;

 private:
  void Flush();
  // Hashes numbers [from, to) of the batch into their lines.
  void Hash(Digester& digester, std::size_t from, std::size_t to);

  Receive receive_;
  Digester here_;
  Digester helper_;
  std::string numbers_;
  std::vector<std::size_t> ends_;
  std::string lines_;
};

}  // namespace zelvane
