#include "core/number_finder.h"

#include <algorithm>

namespace zelvane {

namespace {

bool IsMobile(std::string_view digits) { return digits.size() == 11 && digits[0] == '1'; }

// 010 and 02x are followed by 8 digits, the 4-digit area codes by 7 or 8; no area code begins 01 but
// 010 (the program takes the 0 of other "01" numbers for a stray one).
bool IsLandline(std::string_view digits) {
  if (!BeginsWithAreaCode(digits) || (digits[1] == '1' && digits[2] != '0')) return false;
  if (digits[1] == '1' || digits[1] == '2') return digits.size() == 11;
  return digits.size() == 11 || digits.size() == 12;
}

bool IsServiceNumber(std::string_view digits) {
  return digits.size() == 10 && (digits.starts_with("400") || digits.starts_with("800"));
}

bool IsNational(std::string_view digits) { return IsMobile(digits) || IsLandline(digits) || IsServiceNumber(digits); }

}  // namespace

std::string_view NumberOfDigits(std::string_view digits, bool afterPlus, bool grouped, std::array<char, 16>& buffer) {
  if (IsNational(digits)) return digits;
  if (!grouped && digits.size() == 12 && digits.starts_with("01") && IsMobile(digits.substr(1)))
    return digits.substr(1);
  bool international = afterPlus;
  std::string_view rest;
  if (digits.starts_with("0086")) {
    rest = digits.substr(4);
    international = true;
  } else if (digits.starts_with("86")) {
    rest = digits.substr(2);
  } else {
    return {};
  }
  if (IsNational(rest)) return rest;
  // Written for abroad, a landline drops its 0: +86 755 8888 6666.
  if (!international || rest.size() + 1 > buffer.size()) return {};
  buffer[0] = '0';
  std::copy(rest.begin(), rest.end(), buffer.begin() + 1);
  const std::string_view landline(buffer.data(), rest.size() + 1);
  return IsLandline(landline) ? landline : std::string_view();
}

void NumberFinder::DropGroups(std::size_t count) {
  const std::size_t dropped = groupEnds_[count - 1];
  std::copy(digits_.begin() + static_cast<std::ptrdiff_t>(dropped),
            digits_.begin() + static_cast<std::ptrdiff_t>(length_), digits_.begin());
  for (std::size_t i = count; i < groups_; ++i) {
    groupEnds_[i - count] = static_cast<std::uint8_t>(groupEnds_[i] - dropped);
  }
  groups_ -= count;
  length_ -= dropped;
  firstAfterPlus_ = false;
}

}  // namespace zelvane
