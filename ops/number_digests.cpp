#include "ops/number_digests.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace zelvane {

namespace {

// Below this many numbers a batch is hashed here alone: a thread would cost more than it saves.
constexpr std::size_t kLeastShared = 1024;
constexpr std::size_t kLineSize = kDigestKeyLength + 1;

}  // namespace

NumberDigests::NumberDigests(DigestKind kind, Receive receive)
    : receive_(std::move(receive)), here_(kind), helper_(kind) {}

void NumberDigests::Hash(Digester& digester, std::size_t from, std::size_t to) {
  std::size_t start = from == 0 ? 0 : ends_[from - 1];
  char hex[64];
  for (std::size_t number = from; number < to; ++number) {
    digester.HexDigest(std::string_view(numbers_).substr(start, ends_[number] - start), hex);
    char* const line = lines_.data() + number * kLineSize;
    std::copy_n(hex, kDigestKeyLength, line);
    line[kDigestKeyLength] = '\n';
    start = ends_[number];
  }
}

void NumberDigests::Flush() {
  const std::size_t count = ends_.size();
  if (count == 0) return;
  lines_.resize(count * kLineSize);
  const std::size_t half = count < kLeastShared ? 0 : count / 2;
  std::exception_ptr helperFailure;
  {
    std::jthread helper;
    if (half > 0) {
      try {
        helper = std::jthread([&] {
          try {
            Hash(helper_, 0, half);
          } catch (...) {
            helperFailure = std::current_exception();
          }
        });
      } catch (const std::system_error&) {
        Hash(helper_, 0, half);
      }
    }
    Hash(here_, half, count);
  }
  if (helperFailure) std::rethrow_exception(helperFailure);
  receive_(lines_);
  numbers_.clear();
  ends_.clear();
}

}  // namespace zelvane
