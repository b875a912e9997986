#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/separator_search.h"

namespace zelvane {

// A token is a run of content bytes between separators (CR, LF, blank, comma) of 4 to 30 bytes.
inline constexpr std::size_t kMinTokenLength = 4;
inline constexpr std::size_t kMaxTokenLength = 30;

// Cuts bytes into number tokens, fed in pieces of any size. The receiver gets each token's text
// (its bytes up to a first zero byte) in order. Runs longer than 30 bytes and tokens whose text is
// empty yield nothing. A token cut by the end of a piece is handed over from the scanner's own copy:
// the view is valid only during the call. The separators are found with ForEachSeparator, 64 bytes at a
// time.
class NumberScanner {
 public:
  template <class Receiver>
  void Feed(std::string_view bytes, Receiver&& receive);

  // Ends the last run, as the end of the data does.
  template <class Receiver>
  void Finish(Receiver&& receive);

  // How many runs were longer than a token may be, so far: they yielded nothing.
  std::uint64_t LongRuns() const { return longRuns_; }

 private:
  template <bool kMayHoldZeros, class Receiver>
  void Emit(const char* run, std::size_t length, Receiver& receive);

  // Hands over the runs that end in [from, end) and returns where the last one, cut by end, begins.
  template <bool kMayHoldZeros, class Receiver>
  const char* ScanRuns(const char* from, const char* end, Receiver& receive);

  // A run that reached the end of the last piece; longer runs only need their length.
  std::array<char, kMaxTokenLength> carry_{};
  std::size_t carryLength_ = 0;
  std::uint64_t longRuns_ = 0;
};

// Scans one whole buffer.
template <class Receiver>
void ScanNumbers(std::string_view bytes, Receiver&& receive) {
  NumberScanner scanner;
  scanner.Feed(bytes, receive);
  scanner.Finish(receive);
}

template <bool kMayHoldZeros, class Receiver>
void NumberScanner::Emit(const char* run, std::size_t length, Receiver& receive) {
  if (length - kMinTokenLength > kMaxTokenLength - kMinTokenLength) {  // shorter than 4 or longer than 30
    if (length > kMaxTokenLength) ++longRuns_;
    return;
  }
  if constexpr (kMayHoldZeros) {
    const void* zero = std::memchr(run, 0, length);
    if (zero != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(zero) - run);
    if (length == 0) return;  // a token that starts with a zero byte holds no number
  }
  receive(std::string_view(run, length));
}

template <bool kMayHoldZeros, class Receiver>
const char* NumberScanner::ScanRuns(const char* from, const char* end, Receiver& receive) {
  const char* runStart = from;
  ForEachSeparator(from, end, [&](const char* at) {
    Emit<kMayHoldZeros>(runStart, static_cast<std::size_t>(at - runStart), receive);
    runStart = at + 1;
  });
  return runStart;
}

template <class Receiver>
void NumberScanner::Feed(std::string_view bytes, Receiver&& receive) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  if (carryLength_ > 0) {
    // The run cut at the end of the last piece goes on to the first separator here.
    const char* runEnd = NextSeparator(p, end);
    const auto piece = static_cast<std::size_t>(runEnd - p);
    if (carryLength_ + piece <= kMaxTokenLength) std::memcpy(carry_.data() + carryLength_, p, piece);
    carryLength_ += piece;
    if (runEnd == end) return;
    Emit<true>(carry_.data(), carryLength_, receive);
    carryLength_ = 0;
    p = runEnd;
  }
  if (p == end) return;
  // Zero bytes are rare: only a piece that holds one pays for looking for them in every token.
  const bool mayHoldZeros = std::memchr(p, 0, static_cast<std::size_t>(end - p)) != nullptr;
  const char* cut = mayHoldZeros ? ScanRuns<true>(p, end, receive) : ScanRuns<false>(p, end, receive);
  carryLength_ = static_cast<std::size_t>(end - cut);
  if (carryLength_ <= kMaxTokenLength) std::memcpy(carry_.data(), cut, carryLength_);
}

template <class Receiver>
void NumberScanner::Finish(Receiver&& receive) {
  Emit<true>(carry_.data(), carryLength_, receive);
  carryLength_ = 0;
}

}  // namespace zelvane
