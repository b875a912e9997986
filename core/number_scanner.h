#pragma once

#include <array>
#include <cstddef>
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
class NumberScanner {
 public:
  template <class Receiver>
  void Feed(std::string_view bytes, Receiver&& receive);

  // Ends the last run, as the end of the data does.
  template <class Receiver>
  void Finish(Receiver&& receive);

 private:
  template <class Receiver>
  static void Emit(const char* run, std::size_t length, Receiver& receive);

  static const char* FindSeparator(const char* from, const char* end);
  static const char* SkipSeparators(const char* from, const char* end);

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

inline const char* NumberScanner::FindSeparator(const char* from, const char* end) {
#ifdef __SSE2__
  // Sixteen bytes at a time: a number is about a dozen bytes, so most runs end in the first block.
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i comma = _mm_set1_epi8(',');
  while (end - from >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr)),
                                      _mm_or_si128(_mm_cmpeq_epi8(block, blank), _mm_cmpeq_epi8(block, comma)));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (mask != 0) return from + __builtin_ctz(mask);
    from += 16;
  }
#endif
  while (from != end && !IsSeparator(static_cast<unsigned char>(*from))) ++from;
  return from;
}

inline const char* NumberScanner::SkipSeparators(const char* from, const char* end) {
  while (from != end && IsSeparator(static_cast<unsigned char>(*from))) ++from;
  return from;
}

template <class Receiver>
void NumberScanner::Emit(const char* run, std::size_t length, Receiver& receive) {
  if (length < kMinTokenLength || length > kMaxTokenLength) return;
  const void* zero = std::memchr(run, 0, length);
  const std::size_t textLength = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - run) : length;
  if (textLength == 0) return;  // a token that starts with a zero byte holds no number
  receive(std::string_view(run, textLength));
}

template <class Receiver>
void NumberScanner::Feed(std::string_view bytes, Receiver&& receive) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  if (carryLength_ > 0) {
    const char* runEnd = FindSeparator(p, end);
    const std::size_t piece = static_cast<std::size_t>(runEnd - p);
    if (carryLength_ + piece <= kMaxTokenLength) std::memcpy(carry_.data() + carryLength_, p, piece);
    carryLength_ += piece;
    if (runEnd == end) return;
    Emit(carry_.data(), carryLength_, receive);
    carryLength_ = 0;
    p = runEnd;
  }
  for (;;) {
    p = SkipSeparators(p, end);
    if (p == end) return;
    const char* runEnd = FindSeparator(p, end);
    const std::size_t length = static_cast<std::size_t>(runEnd - p);
    if (runEnd == end) {
      if (length <= kMaxTokenLength) std::memcpy(carry_.data(), p, length);
      carryLength_ = length;
      return;
    }
    Emit(p, length, receive);
    p = runEnd;
  }
}

template <class Receiver>
void NumberScanner::Finish(Receiver&& receive) {
  Emit(carry_.data(), carryLength_, receive);
  carryLength_ = 0;
}

}  // namespace zelvane
