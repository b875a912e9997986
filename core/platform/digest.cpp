#include "core/platform/digest.h"

namespace zelvane {

std::size_t DigestHexLength(DigestKind kind) { return kind == DigestKind::Md5 ? 32 : 64; }

void WriteHex(const unsigned char* bytes, std::size_t size, char* out) {
  constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < size; ++i) {
    out[2 * i] = kDigits[bytes[i] >> 4];
    out[2 * i + 1] = kDigits[bytes[i] & 0xF];
  }
}

}  // namespace zelvane
