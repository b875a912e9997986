#pragma once

#include "core/number_scanner.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zelvane {

// The first separator (CR, LF, blank, comma) in [from, end), or end. Sixteen bytes at a time: a
// number is about a dozen bytes, so most runs end in the first block.
inline const char* NextSeparator(const char* from, const char* end) {
#ifdef __SSE2__
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

}  // namespace zelvane
