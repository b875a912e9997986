#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zelvane {

// The separators between numbers: CR, LF, blank and comma. Every scan of a text for them, the scanner of
// numbers and the comparison's cutter of windows alike, goes through the functions here.
constexpr bool IsSeparator(unsigned char byte) { return byte == '\n' || byte == '\r' || byte == ' ' || byte == ','; }

// Bit i set when bytes[i] is a separator, for 16 bytes.
inline unsigned SeparatorMask16(const char* bytes) {
#ifdef __SSE2__
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i hits =
      _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(block, _mm_set1_epi8('\r'))),
                   _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(block, _mm_set1_epi8(','))));
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
#else
  unsigned mask = 0;
  for (unsigned i = 0; i < 16; ++i) mask |= unsigned{IsSeparator(static_cast<unsigned char>(bytes[i]))} << i;
  return mask;
#endif
}

// The same for 64 bytes.
inline std::uint64_t SeparatorMask64(const char* bytes) {
  std::uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) mask |= std::uint64_t{SeparatorMask16(bytes + 16 * part)} << (16 * part);
  return mask;
}

// Calls on(at) for each separator in [from, end), in order. The bytes are looked at 64 at a time: one mask
// of the separators among them, then a step from one separator to the next, so that a number costs a few
// instructions and no library call. The last bytes go to a block of their own.
template <class OnSeparator>
void ForEachSeparator(const char* from, const char* end, OnSeparator&& on) {
  constexpr std::ptrdiff_t kBlock = 64;
  const char* block = from;
  for (; end - block >= kBlock; block += kBlock) {
    for (std::uint64_t mask = SeparatorMask64(block); mask != 0; mask &= mask - 1) on(block + std::countr_zero(mask));
  }
  if (block == end) return;
  char tail[kBlock] = {};
  const auto count = static_cast<std::size_t>(end - block);
  std::memcpy(tail, block, count);
  const std::uint64_t inTail = (std::uint64_t{1} << count) - 1;
  for (std::uint64_t mask = SeparatorMask64(tail) & inTail; mask != 0; mask &= mask - 1)
    on(block + std::countr_zero(mask));
}

// The first separator in [from, end), or end. Sixteen bytes at a time: a number is about a dozen bytes,
// so most runs end in the first block.
inline const char* NextSeparator(const char* from, const char* end) {
  for (; end - from >= 16; from += 16) {
    if (const unsigned mask = SeparatorMask16(from)) return from + std::countr_zero(mask);
  }
  while (from != end && !IsSeparator(static_cast<unsigned char>(*from))) ++from;
  return from;
}

}  // namespace zelvane
