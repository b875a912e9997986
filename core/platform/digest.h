#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace zelvane {

enum class DigestKind { Md5, Sha256 };

// Hex digits of a digest: 32 for MD5, 64 for SHA-256.
std::size_t DigestHexLength(DigestKind kind);

// Hashes many short texts fast: one object per thread, reused (no allocation per text). The hashing is
// the system's library (libcrypto on Linux, CNG on Windows); only the hex is ours.
class Digester {
 public:
  explicit Digester(DigestKind kind);
  ~Digester();
  Digester(const Digester&) = delete;
  Digester& operator=(const Digester&) = delete;

  DigestKind kind() const { return kind_; }

  // The lowercase hex digest of text, into out (DigestHexLength(kind) bytes).
  void HexDigest(std::string_view text, char* out);

 private:
  struct State;
  DigestKind kind_;
  std::unique_ptr<State> state_;
};

// Bytes as lowercase hex, two digits a byte, into out (the systems' sides share it).
void WriteHex(const unsigned char* bytes, std::size_t size, char* out);

}  // namespace zelvane
