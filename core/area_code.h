#pragma once

#include <string_view>

namespace zelvane {

// Whether a normalised number begins with 0 and an area code (010 to 099): a landline or 小灵通 number.
inline bool BeginsWithAreaCode(std::string_view number) {
  return number.size() >= 3 && number[0] == '0' && static_cast<unsigned>(number[1] - '1') < 9 &&
         static_cast<unsigned>(number[2] - '0') < 10;
}

}  // namespace zelvane
