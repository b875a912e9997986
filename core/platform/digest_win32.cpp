#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>

#include <new>
#include <stdexcept>

#include "core/platform/digest.h"

namespace zelvane {

// One reusable hash object: BCryptFinishHash leaves it ready for the next text.
struct Digester::State {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  ~State() {
    if (hash != nullptr) BCryptDestroyHash(hash);
    if (algorithm != nullptr) BCryptCloseAlgorithmProvider(algorithm, 0);
  }
};

namespace {

constexpr ULONG kMaximumDigestBytes = 32;

bool Succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

Digester::Digester(DigestKind kind) : kind_(kind), state_(std::make_unique<State>()) {
  const wchar_t* name = kind == DigestKind::Md5 ? BCRYPT_MD5_ALGORITHM : BCRYPT_SHA256_ALGORITHM;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&state_->algorithm, name, nullptr, BCRYPT_HASH_REUSABLE_FLAG)) ||
      !Succeeded(
          BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, BCRYPT_HASH_REUSABLE_FLAG))) {
    throw std::runtime_error("the system has no such digest");
  }
}

Digester::~Digester() = default;

void Digester::HexDigest(std::string_view text, char* out) {
  unsigned char digest[kMaximumDigestBytes];
  const ULONG size = static_cast<ULONG>(DigestHexLength(kind_) / 2);
  // BCryptHashData takes a non-const pointer but only reads it.
  auto* input = reinterpret_cast<PUCHAR>(const_cast<char*>(text.data()));
  if (!Succeeded(BCryptHashData(state_->hash, input, static_cast<ULONG>(text.size()), 0)) ||
      !Succeeded(BCryptFinishHash(state_->hash, digest, size, 0))) {
    throw std::bad_alloc();
  }
  WriteHex(digest, size, out);
}

}  // namespace zelvane
