#include "ops/number_form.h"

#include <algorithm>
#include <stdexcept>

namespace zelvane {

std::optional<NumberForm> FormNamed(std::string_view name) {
  if (name == "md5") return NumberForm::Md5;
  if (name == "sha256") return NumberForm::Sha256;
  return std::nullopt;
}

std::optional<DigestKind> DigestOfForm(NumberForm form) {
  switch (form) {
    case NumberForm::Md5: return DigestKind::Md5;
    case NumberForm::Sha256: return DigestKind::Sha256;
    case NumberForm::Plain:
    case NumberForm::Masked: break;
  }
  return std::nullopt;
}

bool FormAvailable(NumberForm form) {
  const std::optional<DigestKind> digest = DigestOfForm(form);
  if (!digest) return true;
  try {
    const Digester available(*digest);
    return true;
  } catch (const std::runtime_error&) {  // a system whose library leaves the digest out (FIPS mode)
    return false;
  }
}

bool WrittenInForm(std::string_view token) {
  return !token.empty() && std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void WriteMasked(std::string_view number, char* out) {
  constexpr std::size_t kShown = 4;
  constexpr std::size_t kMasked = 4;
  const std::size_t size = number.size();
  const std::size_t maskEnd = size > kShown ? size - kShown : size;
  const std::size_t maskBegin = maskEnd > kMasked ? maskEnd - kMasked : 0;
  std::copy(number.begin(), number.end(), out);
  std::fill(out + maskBegin, out + maskEnd, '*');
}

}  // namespace zelvane
