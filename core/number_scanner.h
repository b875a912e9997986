#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zelvane {

// A token is a run of content bytes between separators (CR, LF, blank, comma) of 4 to 30 bytes.
inline constexpr std::size_t kMinTokenLength = 4;
inline constexpr std::size_t kMaxTokenLength = 30;

constexpr bool IsSeparator(unsigned char byte) { return byte == '\n' || byte == '\r' || byte == ' ' || byte == ','; }

// Cuts bytes into number tokens, fed in pieces of any size. The receiver gets each token's text
// (its bytes up to a first zero byte) in order. Runs longer than 30 bytes and tokens whose text is
// empty yield nothing. A token cut by the end of a piece is handed over from the scanner's own copy:
// the view is valid only during the call.
//
// The bytes are looked at 64 at a time: one mask of the separators among them, then a step from one
// separator to the next, so that the work per number is a few instructions and no library call.
class NumberScanner {
 public:
  template <class Receiver>
  void Feed(std::string_view bytes, Receiver&& receive);

  // Ends the last run, as the end of the data does.
  template <class Receiver>
  void Finish(Receiver&& receive);

 private:
  static constexpr std::size_t kBlock = 64;

  // Bit i set when block[i] is a separator; block holds kBlock bytes.
  static std::uint64_t SeparatorMask(const char* block);

  template <bool kMayHoldZeros, class Receiver>
  static void Emit(const char* run, std::size_t length, Receiver& receive);

  // Hands over the runs that end in [from, end) and returns where the last one, cut by end, begins.
  template <bool kMayHoldZeros, class Receiver>
  static const char* ScanRuns(const char* from, const char* end, Receiver& receive);

  // A run that reached the end of the last piece; longer runs only need their length.
  std::array<char, kMaxTokenLength> carry_{};
  std::size_t carryLength_ = 0;
};

// Scans one whole buffer.
template <class Receiver>
void ScanNumbers(std::string_view bytes, Receiver&& receive) {
  NumberScanner scanner;
  scanner.Feed(bytes, receive);
  scanner.Finish(receive);
}

inline std::uint64_t NumberScanner::SeparatorMask(const char* block) {
#ifdef __SSE2__
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i comma = _mm_set1_epi8(',');
  std::uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr)),
                                      _mm_or_si128(_mm_cmpeq_epi8(bytes, blank), _mm_cmpeq_epi8(bytes, comma)));
    mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits))) << (16 * part);
  }
  return mask;
#else
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < kBlock; ++i) {
    mask |= static_cast<std::uint64_t>(IsSeparator(static_cast<unsigned char>(block[i]))) << i;
  }
  return mask;
#endif
}

template <bool kMayHoldZeros, class Receiver>
void NumberScanner::Emit(const char* run, std::size_t length, Receiver& receive) {
  if (length - kMinTokenLength > kMaxTokenLength - kMinTokenLength) return;  // shorter than 4 or longer than 30
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
  const auto step = [&](const char* block, std::uint64_t separators) {
    for (; separators != 0; separators &= separators - 1) {
      const char* at = block + std::countr_zero(separators);
      Emit<kMayHoldZeros>(runStart, static_cast<std::size_t>(at - runStart), receive);
      runStart = at + 1;
    }
  };
  const char* block = from;
  for (; end - block >= static_cast<std::ptrdiff_t>(kBlock); block += kBlock) step(block, SeparatorMask(block));
  if (block != end) {
    // The last bytes, in a block of their own padded with separators that end no run.
    char tail[kBlock] = {};
    const auto count = static_cast<std::size_t>(end - block);
    std::memcpy(tail, block, count);
    const std::uint64_t inTail = (std::uint64_t{1} << count) - 1;
    for (std::uint64_t separators = SeparatorMask(tail) & inTail; separators != 0; separators &= separators - 1) {
      const char* at = block + std::countr_zero(separators);
      Emit<kMayHoldZeros>(runStart, static_cast<std::size_t>(at - runStart), receive);
      runStart = at + 1;
    }
  }
  return runStart;
}

template <class Receiver>
void NumberScanner::Feed(std::string_view bytes, Receiver&& receive) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  if (carryLength_ > 0) {
    // The run cut at the end of the last piece goes on to the first separator here.
    const char* runEnd = p;
    while (runEnd != end && !IsSeparator(static_cast<unsigned char>(*runEnd))) ++runEnd;
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
