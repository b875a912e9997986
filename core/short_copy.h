#pragma once

#include <cstddef>
#include <cstring>

namespace zelvane {

inline constexpr std::size_t kShortCopyLimit = 32;

// Copies n <= 32 bytes with a few fixed-size moves that overlap instead of a library call: numbers and
// separators are that short, and a call per number costs more than the copy.
inline void CopyShort(char* to, const char* from, std::size_t n) {
  if (n >= 16) {
    std::memcpy(to, from, 16);
    std::memcpy(to + n - 16, from + n - 16, 16);
  } else if (n >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + n - 8, from + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + n - 4, from + n - 4, 4);
  } else if (n > 0) {
    to[0] = from[0];
    to[n / 2] = from[n / 2];
    to[n - 1] = from[n - 1];
  }
}

}  // namespace zelvane
