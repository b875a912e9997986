#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ops/digest_blocks.h"
#include "ops/number_form.h"

namespace zelvane {

// Numbers turned into a hashed or masked form on their way out, in the order they came: masked at once,
// hashed a block at a time (DigestBlocks). Tokens that are not numbers are left out and counted. Each
// written form goes to put(std::string_view).
class FormedNumbers {
 public:
  // form is not Plain.
  explicit FormedNumbers(NumberForm form) {
    if (const std::optional<DigestKind> digest = DigestOfForm(form)) {
      digests_.emplace(*digest);
      hexLength_ = DigestHexLength(*digest);
    }
  }

  template <class Put>
  void Add(std::string_view number, Put&& put) {
    if (!WrittenInForm(number)) {
      ++leftOut_;
      return;
    }
    if (digests_) {
      if (digests_->Add(number)) PutDigests(put);
      return;
    }
    masked_.resize(number.size());
    WriteMasked(number, masked_.data());
    put(std::string_view(masked_));
  }

  // The numbers still held (the last block's digests).
  template <class Put>
  void Finish(Put&& put) {
    if (digests_) PutDigests(put);
  }

  std::uint64_t leftOut() const { return leftOut_; }

 private:
  template <class Put>
  void PutDigests(Put& put) {
    const std::string_view hex = digests_->Hash();
    for (std::size_t at = 0; at < hex.size(); at += hexLength_) put(hex.substr(at, hexLength_));
  }

  std::optional<DigestBlocks> digests_;
  std::size_t hexLength_ = 0;
  std::string masked_;
  std::uint64_t leftOut_ = 0;
};

}  // namespace zelvane
