#include <openssl/evp.h>

#include <new>
#include <stdexcept>

#include "core/platform/digest.h"

namespace zelvane {

// The algorithm is fetched once and the context is reset for each text, so a text costs the hashing alone.
struct Digester::State {
  EVP_MD* md = nullptr;
  EVP_MD_CTX* context = nullptr;
  ~State() {
    EVP_MD_CTX_free(context);
    EVP_MD_free(md);
  }
};

Digester::Digester(DigestKind kind) : kind_(kind), state_(std::make_unique<State>()) {
  state_->md = EVP_MD_fetch(nullptr, kind == DigestKind::Md5 ? "MD5" : "SHA256", nullptr);
  state_->context = EVP_MD_CTX_new();
  if (state_->md == nullptr) throw std::runtime_error("libcrypto has no such digest");
  if (state_->context == nullptr) throw std::bad_alloc();
}

Digester::~Digester() = default;

void Digester::HexDigest(std::string_view text, char* out) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned size = 0;
  // Cannot fail with a fetched digest and a context of our own but for lack of memory.
  if (EVP_DigestInit_ex2(state_->context, state_->md, nullptr) != 1 ||
      EVP_DigestUpdate(state_->context, text.data(), text.size()) != 1 ||
      EVP_DigestFinal_ex(state_->context, digest, &size) != 1) {
    throw std::bad_alloc();
  }
  WriteHex(digest, size, out);
}

}  // namespace zelvane
